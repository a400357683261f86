// Test fixture: the program file of an agent for the product "Tool" (Tool.exe, described by
// Tool.info and Tool.original), whose package carries a given product token.
#pragma once

#include <string>

#include "PackageImage.h"
#include "pack/ByteSource.h"
#include "pack/GFileInfo.h"
#include "pack/Scramble.h"

namespace testimg {

// The image of such a program file; also what an update for the product looks like. With a
// public key, the product's updates are signed by its publisher.
inline std::string ProgramWithToken(const std::string& Token, const std::string& PublicKey = "") {
  Package package;
  package.updateInfo = "|u|Tool.info|Tool.exe|" + pack::Scramble(Token, 3) + "|";
  if (!PublicKey.empty()) package.updateInfo += "|" + PublicKey + "|";
  return package.Build();
}

// The descriptor of the running agent, read from such an image.
inline TGFileInfo AgentDescriptor(const std::string& Token, const std::string& PublicKey = "") {
  const std::string image = ProgramWithToken(Token, PublicKey);
  TGFileInfo info;
  info.Create(pack::MemorySource(image));
  return info;
}

}  // namespace testimg
