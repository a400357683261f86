// How a folder tree is taken down: which folders are emptied and which only lose their link.
// The rule is plain logic (FolderRemoval.cpp), so it is tested on any host; DeleteTree
// (FileDelete_win32.cpp) applies it to the folder it is given and to every subfolder.
#pragma once

namespace sys {

enum class FolderRemoval {
  kNone,             // nothing there, or a file: left alone
  kRemoveLinkOnly,   // a junction or symbolic link: the link goes, what it points to stays
  kEmptyThenRemove,  // a real folder: its files and subfolders go, then the folder itself
};

// What to do with a path, from what the system says of the path itself (links not followed).
// A link is never entered: its target belongs to another tree, possibly to another user who
// planted the link where a setup cleans up with its rights.
FolderRemoval HowToRemoveFolder(bool exists, bool isFolder, bool isLink);

}  // namespace sys
