// This file must contain only truly operating-system independent code.
#include "HeaderReader.h"

#include "sys/KoSUB.h"

using sys::SUB;

namespace stubpack {
namespace {

// An absent token stays empty; descrambling it would only produce the random failure text.
std::string PlainToken(const std::string& stored, const std::string& plain) {
  return stored.empty() ? std::string() : plain;
}

LangSection DescribeSection(const std::string& section) {
  LangSection result;
  result.separator = section.empty() ? '\0' : section[0];
  result.name = SUB::GetItem(section, 0);
  const int count = SUB::ItemCount(section);
  for (int i = 1; i < count; ++i) result.pairs.push_back(SUB::GetItem(section, i));
  return result;
}

void DescribeLangData(const std::string& langData, HeaderReport& header) {
  header.langSeparator = langData.empty() ? '\0' : langData[0];
  const int count = SUB::ItemCount(langData);
  for (int i = 0; i < count; ++i)
    header.sections.push_back(DescribeSection(SUB::GetItem(langData, i)));
}

}  // namespace

HeaderReport DescribeHeader(const TGFileInfo& info) {
  HeaderReport header;
  header.langData = info.LangData();
  header.updateInfo = info.UpdateInfo();
  header.webSetupInfo = info.WebSetupInfo();
  DescribeLangData(header.langData, header);

  header.updateInfoURL = info.GetUpdateInfoURL();
  header.infoFile = SUB::GetItem(header.updateInfo, 1);
  header.originalFile = header.infoFile.empty() ? std::string() : info.GetOriginalFileName();
  header.agentExe = info.GetProgramExeName();
  header.productTokenStored = info.GetProductToken(false);
  header.productToken = PlainToken(header.productTokenStored, info.GetProductToken(true));
  header.hideSetup = info.GetHideSetup();
  header.updatePublicKey = info.GetUpdatePublicKey();

  header.webSetupURL = info.GetWebSetupURL();
  header.webSetupFile = info.GetWebSetupFileName();
  header.alwaysDownload = info.GetAlwaysDownload();
  header.webTokenStored = info.GetWebSetupToken(false);
  header.webToken = PlainToken(header.webTokenStored, info.GetWebSetupToken(true));
  header.webSetupSize = info.GetWebSetupSize();
  header.webSetupSHA256 = info.GetWebSetupSHA256();
  return header;
}

}  // namespace stubpack
