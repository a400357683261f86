// Scenario fixture: an installed product (InstalledAgent) whose publisher puts updates on the
// local nginx: a folder of its own under the server's root, version 2 of the product built as an
// update setup, the .info file beside it, and the boxes the agent shows answered as a user would.
#pragma once

#include <string>

#include "InstalledAgent.h"
#include "TestServers.h"

namespace scenario {

class PublishedUpdate : public InstalledAgent {
 protected:
  static constexpr const char* kProductClass = "StubTestProduct";

  void SetUp() override;
  void TearDown() override;

  // nginx: a missing file comes as its 404 page, which the agent tells from a file.
  std::string UpdateUrl() const { return servers_.Url(servers_.nginx, "/" + published_); }
  // The publisher's folder on the server, as a Windows path.
  const std::string& WebFolder() const { return web_; }

  // Version 2: the product again and a marker file version2.txt, installed by the engine into
  // the product's folder; the package carries the product's token and agent, and extraOptions.
  std::string BuildUpdate(const std::vector<std::string>& extraOptions = {});
  // The [NewSetup] section of a .info file offering the update Image under NameOfUpdateFile
  // Update2.exe; extraKeys (whole lines) follow.
  std::string UpdateInfoText(const std::string& image, const std::string& extraKeys) const;
  // Puts the update file's bytes and the .info text on the server.
  void Publish(const std::string& updateImage, const std::string& infoText);

  // Waits for a box of the process, checks that its text holds what it must say, and presses a
  // button.
  void Answer(uint32_t pid, const std::string& says, const std::string& button);
  std::string Original(const char* key) const;
  size_t ProductStarts() const;
  // After an update the agent replaces itself: waits for the copy to end and returns the process
  // of the copy that follows it (0 when none came).
  uint32_t ReplacementOf(uint32_t copy);

  testkit::TestServers servers_;
  std::string published_, web_;
};

}  // namespace scenario
