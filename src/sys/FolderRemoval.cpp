// This file must contain only truly operating-system independent code.
#include "sys/FolderRemoval.h"

namespace sys {

FolderRemoval HowToRemoveFolder(bool exists, bool isFolder, bool isLink) {
  if (!exists || !isFolder) return FolderRemoval::kNone;
  return isLink ? FolderRemoval::kRemoveLinkOnly : FolderRemoval::kEmptyThenRemove;
}

}  // namespace sys
