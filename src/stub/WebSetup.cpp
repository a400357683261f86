// This file must contain only truly operating-system independent code.
#include "stub/WebSetup.h"

#include "pack/ByteSource.h"
#include "pack/GFileInfo.h"
#include "pack/UnPackAgentCopy.h"
#include "stub/TempSpace.h"
#include "sys/UtilsText.h"

namespace stubsetup {

std::string WebAgentCopyImage(std::string image) {
  // Whatever follows the package (a signature, the padding before it) stays behind, so the copy
  // ends with its trailer and byte 69 is the 5th from its end.
  pack::DropSignature(image);
  if (image.size() > 5) image[image.size() - 5] = 1;
  return image;
}

std::string SetupChecksumError(const TGFileInfo& own, const pack::ByteSource& setupFile,
                               pack::CheckVerdict& verdict) {
  const std::string published = own.GetWebSetupSHA256();
  // A stub that keeps a checksum requires it: an item that is no checksum refuses every file.
  verdict = pack::CheckPublishedChecksum(!published.empty(), published, setupFile);
  if (pack::Passes(verdict)) return "";
  return own.GetLangString(
      "s13", "The setup file does not match its published checksum.<P>Nothing was run.");
}

std::string DownloadQuestion(const TGFileInfo& own) {
  int64_t size = 0;
  if (!sys::TryParseInt64(own.GetWebSetupSize(), size)) size = 0;
  const std::string text = own.GetLangString(
      "s11",
      "<b>INTERNET DOWNLOAD</b><p><p>Karst will download the Setup File from the "
      "Internet...<p>Please make sure your Internet connection is properly set.<p><p>Continue "
      "with Setup?<p><P>Size: <SIZE> MB<P>");
  return sys::ReplaceText(text, "<SIZE>", FormatMB(static_cast<double>(size)));
}

std::string DownloadStartError(const TGFileInfo& own, bool declined, bool connected,
                               const std::string& connectionError) {
  if (declined) return kDownloadDeclined;
  if (connected) return "";
  std::string error =
      own.GetLangString("s12", "No valid Internet Connection.<p>Can not Download File!");
  if (!connectionError.empty()) error += "<P><P>" + connectionError;
  return error;
}

std::string WebSetupSource(const TGFileInfo& own, const std::string& exeFolder,
                           bool localFileExists) {
  if (!own.GetAlwaysDownload() && localFileExists) return exeFolder;
  return own.GetWebSetupURL();
}

std::string WebSetupUrl(const std::string& source, const std::string& fileName) {
  return source + "/" + fileName;
}

}  // namespace stubsetup
