#pragma once
// Runs the whole program on the in-memory platform, in a folder of its own, and drives it the
// way a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "convert/text.h"
#include "platform/fake/fake.h"
#include "platform/platform.h"
#include "ui/controls.h"

// The GB18030 bytes of a UTF-8 literal, so that tests can be written in readable characters.
Text Gb(std::string_view utf8);

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One process from start-up to shutdown; the session is what the user does while the window is
  // open. Gives the exit status.
  int Run(const std::function<void()>& session = {});

  std::filesystem::path ConfigPath() const { return folder_ / "config.ini"; }
  std::optional<std::string> ConfigBytes() const;  // nullopt: no file
  void WriteConfig(std::string_view bytes) const;
  // The value stored in config.ini, nullopt when the file, section or key is missing.
  std::optional<Text> Saved(std::string_view section, std::string_view key) const;

  std::filesystem::path folder_;
};

// A click that must reach the control it aims at.
void Click(Control control);
// The user clicks into a box, selects all it holds and pastes the text over it.
void Fill(Control box, std::string_view text);
Text TextOf(Control control);
Text Caption();
