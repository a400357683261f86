#include "ui/MsgBoxModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace komsgbox;

namespace {

std::vector<std::string> Captions(const std::vector<ButtonSpec>& buttons) {
  std::vector<std::string> captions;
  for (const ButtonSpec& b : buttons) captions.push_back(b.caption);
  return captions;
}

std::vector<int> Codes(const std::vector<ButtonSpec>& buttons) {
  std::vector<int> codes;
  for (const ButtonSpec& b : buttons) codes.push_back(b.code);
  return codes;
}

std::vector<ButtonSpec> Buttons(std::vector<std::string> captions) {
  std::vector<ButtonSpec> buttons;
  for (std::string& c : captions) buttons.push_back(ButtonSpec{c, 0});
  return buttons;
}

TEST(MsgBoxButtons, EachTypeHasItsCaptionsAndCodesLeftToRight) {
  struct Case {
    uint32_t flags;
    std::vector<std::string> captions;
    std::vector<int> codes;
  } cases[] = {
      {kOkOnly, {"&OK"}, {kIdOk}},
      {kOkCancel | kIconQuestion, {"&OK", "&Cancel"}, {kIdOk, kIdCancel}},
      {kAbortRetryIgnore, {"&Abort", "&Retry", "&Ignore"}, {kIdAbort, kIdRetry, kIdIgnore}},
      {kYesNoCancel | 0x200, {"&Yes", "&No", "&Cancel"}, {kIdYes, kIdNo, kIdCancel}},
      {kYesNo, {"&Yes", "&No"}, {kIdYes, kIdNo}},
      {kRetryCancel, {"&Retry", "&Cancel"}, {kIdRetry, kIdCancel}},
      {6, {}, {}},
      {15, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    const std::vector<ButtonSpec> buttons = ButtonsFor(c.flags, kDefaultButtonTexts);
    EXPECT_EQ(Captions(buttons), c.captions);
    EXPECT_EQ(Codes(buttons), c.codes);
  }
}

TEST(MsgBoxButtons, TranslatedAndShortListsKeepTheItemOrder) {
  const std::string german = "|&OK|&Abbrechen|&Ja|&Nein|";
  EXPECT_EQ(Captions(ButtonsFor(kYesNoCancel, german)),
            (std::vector<std::string>{"&Ja", "&Nein", "&Abbrechen"}));
  // Items missing from the list give empty captions but the buttons still answer.
  const std::vector<ButtonSpec> ari = ButtonsFor(kAbortRetryIgnore, german);
  EXPECT_EQ(Captions(ari), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Codes(ari), (std::vector<int>{kIdAbort, kIdRetry, kIdIgnore}));
  EXPECT_EQ(Captions(ButtonsFor(kOkOnly, "no list")), (std::vector<std::string>{""}));
}

TEST(MsgBoxButtons, DefaultButtonFieldIsTakenModuloTheCount) {
  struct Case {
    uint32_t flags;
    int count, index;
  } cases[] = {
      {0x000, 3, 0}, {0x100, 3, 1}, {0x200, 3, 2},  {0x200, 2, 0},
      {0x300, 2, 1}, {0x100, 1, 0}, {0x100, 0, -1}, {0xF00 | kYesNo, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    EXPECT_EQ(DefaultButtonIndex(c.flags, c.count), c.index);
  }
}

TEST(MsgBoxFlags, OwnerAndCharsetAddTheirBits) {
  struct Case {
    uintptr_t owner;
    uint32_t flags;
    int charset;
    uint32_t effective;
  } cases[] = {
      {0, kYesNo, 0, kYesNo | kTaskModalTopmost},
      {1, kOkOnly, 1, kTaskModalTopmost},
      {2, kOkOnly, 0, MsgBoxNoClose | kTaskModalTopmost},
      {0x10A2, kOkCancel, 0, kOkCancel | kTaskModalTopmost},
      {1, kYesNo, 177, kYesNo | 0x180000 | kTaskModalTopmost},
      {2, kYesNo, 178, kYesNo | 0x180000 | MsgBoxNoClose | kTaskModalTopmost},
      {1, kYesNo, 179, kYesNo | kTaskModalTopmost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.owner);
    EXPECT_EQ(EffectiveFlags(c.owner, c.flags, c.charset), c.effective);
  }
  EXPECT_TRUE(OwnerWantsHeading(0));
  EXPECT_FALSE(OwnerWantsHeading(1));
  EXPECT_FALSE(OwnerIsWindow(2));
  EXPECT_TRUE(OwnerIsWindow(3));
}

TEST(MsgBoxFrontEnds, FillEmptyCaptionsAndButtonLists) {
  EXPECT_EQ(CaptionOrDefault("", kErrorCaption), "Error");
  EXPECT_EQ(CaptionOrDefault("", kAttentionCaption), "Attention");
  EXPECT_EQ(CaptionOrDefault("", kConfirmCaption), "Confirm");
  EXPECT_EQ(CaptionOrDefault("Fehler", kErrorCaption), "Fehler");
  EXPECT_EQ(ButtonTextsOrDefault(""), "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|");
  EXPECT_EQ(ButtonTextsOrDefault("|&Ja|"), "|&Ja|");
}

TEST(MsgBoxKeys, AltCharMatchesTheSecondCharacterLeftmostFirst) {
  const auto buttons = Buttons({"&Yes", "&No", "&Nope", "X", ""});
  struct Case {
    char typed;
    int index;
  } cases[] = {{'y', 0}, {'Y', 0}, {'n', 1}, {'N', 1}, {'e', -1}, {'X', -1}, {'&', -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(ButtonForAltChar(buttons, c.typed), c.index);
  }
}

TEST(MsgBoxKeys, LetterKeyMatchesTheMnemonicRightmostFirst) {
  const auto buttons = Buttons({"&Yes", "Y&es", "Retry", "&", "&No"});
  struct Case {
    char letter;
    int index;
  } cases[] = {{'Y', 0}, {'E', 1}, {'R', 2}, {'N', 4}, {'S', -1}, {'Z', -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.letter);
    EXPECT_EQ(ButtonForLetterKey(buttons, c.letter), c.index);
  }
  EXPECT_EQ(ButtonForLetterKey(Buttons({"&Yes", "&Yes"}), 'Y'), 1);
  EXPECT_EQ(ButtonForLetterKey(Buttons({"&yes"}), 'Y'), 0);
}

TEST(MsgBoxKeys, FocusMovesWrapAround) {
  struct Case {
    int current, count;
    bool forward;
    int next;
  } cases[] = {
      {0, 3, true, 1}, {2, 3, true, 0},  {0, 3, false, 2},  {1, 2, false, 0},
      {0, 1, true, 0}, {-1, 3, true, 0}, {-1, 3, false, 2}, {0, 0, true, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.current) + "/" + std::to_string(c.count));
    EXPECT_EQ(NeighbourButton(c.current, c.count, c.forward), c.next);
  }
}

}  // namespace
