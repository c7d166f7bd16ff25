// Moving between fields (Enter, Down, Up), leaving a full field, switching areas.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "FrameworkWorld.h"
#include "framework/FieldNavigation.h"
#include "platform/ui/ListGrid.h"

namespace mnt4820 {
namespace {

using platform::ui::Control;
using platform::ui::TextBox;
namespace key = platform::ui::key;
namespace shift = platform::ui::shift;

enum class State { Eligible, Disabled, Hidden, Locked };
// How far the operator has got in the field that has the focus (its text is "ABCD" unless empty).
enum class Edit { Empty, WhollySelected, CaretInside, CaretAtEnd, PartlySelected };

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override { world.form.show(); }

  // The states are applied after the focus is placed, so a field can also lose its eligibility under the focus.
  void arrange(int focus, const std::array<State, 3>& states, Edit edit) {
    for (TextBox* f : fields) {
      f->setEnabled(true);
      f->setVisible(true);
      f->setLocked(false);
    }
    fields[static_cast<std::size_t>(focus)]->setFocus();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      TextBox& f = *fields[i];
      f.setEnabled(states[i] != State::Disabled);
      f.setVisible(states[i] != State::Hidden);
      f.setLocked(states[i] == State::Locked);
    }
    TextBox& active = *fields[static_cast<std::size_t>(focus)];
    active.setText(edit == Edit::Empty ? "" : "ABCD");
    switch (edit) {
      case Edit::Empty: break;
      case Edit::WhollySelected: active.setSelLength(4); break;
      case Edit::CaretInside: active.setSelStart(2); break;
      case Edit::CaretAtEnd: active.setSelStart(4); break;
      case Edit::PartlySelected:
        active.setSelStart(1);
        active.setSelLength(2);
        break;
    }
  }

  int focusedRow() const {
    const Control* active = world.form.activeControl();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i] == active) return static_cast<int>(i);
    }
    return -1;
  }

  test::FrameworkWorld world;
  std::vector<TextBox*> fields{&world.addField("F0"), &world.addField("F1"), &world.addField("F2")};
};

constexpr State E = State::Eligible;
constexpr State D = State::Disabled;
constexpr State H = State::Hidden;
constexpr State L = State::Locked;

struct MoveCase {
  const char* what;
  int from;
  std::array<State, 3> states;
  std::int16_t key;
  Edit edit;
  int expected;
};

TEST_F(Navigation, NextFieldMovesForwardWithWrapAround) {
  const MoveCase cases[] = {
      {"Enter from the last field wraps to the first", 2, {E, E, E}, key::Enter, Edit::CaretInside, 0},
      {"Enter from the middle goes on", 1, {E, E, E}, key::Enter, Edit::CaretInside, 2},
      {"Down moves like Enter", 0, {E, E, E}, key::Down, Edit::CaretAtEnd, 1},
      {"the disabled last field is skipped, the search goes on at row 0", 1, {E, E, D}, key::Enter, Edit::Empty, 0},
      {"a hidden field is skipped", 0, {E, H, E}, key::Down, Edit::Empty, 2},
      {"a locked field is skipped", 0, {E, L, E}, key::Enter, Edit::Empty, 2},
      {"no other field eligible: the focus stays", 0, {E, D, D}, key::Enter, Edit::Empty, 0},
      {"no other field eligible from the middle", 1, {H, E, L}, key::Down, Edit::Empty, 1},
      {"another key moves from an empty field", 0, {E, E, E}, key::Right, Edit::Empty, 1},
      {"another key moves from a wholly selected field", 0, {E, E, E}, key::Right, Edit::WhollySelected, 1},
      {"another key stays once editing began", 0, {E, E, E}, key::Right, Edit::CaretInside, 0},
      {"another key stays with part of the text selected", 1, {E, E, E}, key::Right, Edit::PartlySelected, 1},
      {"another key from the last field, editing begun: the search ends",
       2,
       {E, E, E},
       key::Right,
       Edit::CaretAtEnd,
       2},
      {"Enter from a last field that was disabled under the focus ends too", 2, {D, D, D}, key::Enter, Edit::Empty, 2},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.what);
    arrange(c.from, c.states, c.edit);
    NextField(world.screen, c.key);
    EXPECT_EQ(focusedRow(), c.expected);
  }
}

TEST_F(Navigation, PreviousFieldMovesBackWithoutWrappingPastTheFirst) {
  const MoveCase cases[] = {
      {"from the first field the search starts at the last", 0, {E, E, E}, key::Up, Edit::Empty, 2},
      {"from the first field, the last ineligible", 0, {E, E, D}, key::Up, Edit::Empty, 1},
      {"back one field", 2, {E, E, E}, key::Up, Edit::WhollySelected, 1},
      {"an ineligible field is skipped", 2, {E, H, E}, key::Up, Edit::Empty, 0},
      {"fields 0 and 1 ineligible: nothing happens", 2, {D, L, E}, key::Up, Edit::Empty, 2},
      {"no wrap past row 0", 1, {D, E, E}, key::Up, Edit::Empty, 1},
      {"the caret inside the text keeps the focus", 2, {E, E, E}, key::Up, Edit::CaretInside, 2},
      {"a partial selection keeps the focus", 2, {E, E, E}, key::Up, Edit::PartlySelected, 2},
      {"the caret at the end keeps the focus", 1, {E, E, E}, key::Up, Edit::CaretAtEnd, 1},
      {"the key code plays no part", 1, {E, E, E}, key::Enter, Edit::Empty, 0},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.what);
    arrange(c.from, c.states, c.edit);
    PreviousField(world.screen, c.key);
    EXPECT_EQ(focusedRow(), c.expected);
  }
}

TEST_F(Navigation, PreviousFieldAroundMovesBackWithWrapAroundWhateverTheFieldHolds) {
  const MoveCase cases[] = {
      {"from the first field around to the last", 0, {E, E, E}, key::Up, Edit::CaretInside, 2},
      {"back one field with part of the text selected", 2, {E, E, E}, key::Up, Edit::PartlySelected, 1},
      {"an ineligible row 0 is skipped, around to the last", 1, {H, E, E}, key::Up, Edit::CaretAtEnd, 2},
      {"no other field eligible: the focus stays", 0, {E, D, L}, key::Up, Edit::Empty, 0},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.what);
    arrange(c.from, c.states, c.edit);
    PreviousFieldAround(world.screen);
    EXPECT_EQ(focusedRow(), c.expected);
  }
}

TEST_F(Navigation, FromAControlOutsideTheTableTheFocusStays) {
  auto& grid = world.form.add<platform::ui::ListGrid>("GRID");
  ASSERT_EQ(grid.tabIndex(), 3);
  grid.setFocus();
  NextField(world.screen, key::Down);
  EXPECT_EQ(world.form.activeControl(), &grid);
  PreviousField(world.screen, key::Up);
  PreviousFieldAround(world.screen);
  EXPECT_EQ(world.form.activeControl(), &grid);
}

TEST_F(Navigation, MovingFiresLostAndGotFocus) {
  std::vector<std::string> log;
  for (TextBox* f : fields) {
    f->onGotFocus = [&log, f] { log.push_back(f->name() + " got"); };
    f->onLostFocus = [&log, f] { log.push_back(f->name() + " lost"); };
  }
  arrange(0, {E, E, E}, Edit::Empty);
  log.clear();
  NextField(world.screen, key::Enter);
  EXPECT_EQ(log, (std::vector<std::string>{"F0 lost", "F1 got"}));
}

TEST_F(Navigation, EnableFieldsForAreaEnablesExactlyThatArea) {
  world.rows[0].area = Area::Head;
  world.rows[1].area = world.rows[2].area = Area::Body;
  world.registerRows();
  for (const auto& [area, enabled] :
       {std::pair{Area::Body, std::array{false, true, true}}, std::pair{Area::Head, std::array{true, false, false}}}) {
    EnableFieldsForArea(world.screen, area);
    for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(fields[i]->isEnabled(), enabled[i]) << i;
  }
}

TEST_F(Navigation, EnableFieldsForAreaOnAnUnsizedTableIsAFault) {
  // A count with no row registered behind it.
  ++world.screen.fields.FieldCount;
  EXPECT_THROW(EnableFieldsForArea(world.screen, Area::Head), FieldTableError);
}

// AutoAdvance, with a field check that records its calls and answers with a set status.
class Advance : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TextBox* f : fields) {
      f->setMaxLength(4);
      f->onKeyUp = [this](std::int16_t& code, std::int16_t s) { AutoAdvance(world.screen, code, s, check); };
    }
    world.form.show();
    fields[0]->setFocus();
  }

  // Releases a key in the field that has the focus.
  void release(std::int16_t code, std::int16_t shiftState = shift::None) {
    AutoAdvance(world.screen, code, shiftState, check);
  }

  test::FrameworkWorld world;
  std::vector<TextBox*> fields{&world.addField("F0"), &world.addField("F1"), &world.addField("F2")};
  std::vector<std::int16_t> checkedRows;
  std::int16_t answer = 0;
  CheckFieldCallback check = [this](std::int16_t row, std::int16_t& status) {
    checkedRows.push_back(row);
    status = answer;
  };
};

TEST_F(Advance, AFullFieldAcceptedByTheCheckIsLeftAsByEnter) {
  world.form.typeText("123");
  EXPECT_TRUE(checkedRows.empty());
  world.form.typeText("4");
  EXPECT_EQ(checkedRows, (std::vector<std::int16_t>{0}));
  EXPECT_EQ(world.form.activeControl(), fields[1]);
  EXPECT_EQ(fields[0]->text(), "1234");
}

TEST_F(Advance, AFullFieldRefusedByTheCheckIsSelectedAgainAndKeepsTheFocus) {
  answer = 9;
  world.form.typeText("1234");
  EXPECT_EQ(checkedRows, (std::vector<std::int16_t>{0}));
  EXPECT_EQ(world.form.activeControl(), fields[0]);
  EXPECT_EQ(fields[0]->selStart(), 0);
  EXPECT_EQ(fields[0]->selLength(), 4);
}

TEST_F(Advance, FullnessNeedsTheCaretAtTheEndOrTheTextSelected) {
  struct Case {
    const char* what;
    const char* text;
    int selStart;
    int selLength;
    bool full;
  };
  const Case cases[] = {
      {"caret at the end", "1234", 4, 0, true},
      {"whole text selected", "1234", 0, 4, true},
      {"last character selected", "1234", 3, 1, true},
      {"caret inside", "1234", 2, 0, false},
      {"caret at the start", "1234", 0, 0, false},
      {"two characters selected at the end", "1234", 2, 2, false},
      {"one character short", "123", 3, 0, false},
      {"four full-width characters, caret at the end (counted before the cut)", "ＡＢＣＤ", 4, 0, true},
      {"two full-width characters fill the bytes but not the characters", "ＡＢ", 2, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    checkedRows.clear();
    fields[0]->setFocus();
    fields[0]->setText(c.text);
    fields[0]->setSelStart(c.selStart);
    fields[0]->setSelLength(c.selLength);
    release('A');
    EXPECT_EQ(!checkedRows.empty(), c.full);
  }
}

TEST_F(Advance, TextBeyondMaxLengthIsCutInBytesWithTheCaretAtTheEnd) {
  struct Case {
    const char* what;
    int maxLength;
    const char* text;
    const char* cut;
  };
  const Case cases[] = {
      {"four full-width characters in four bytes", 4, "ＡＢＣＤ", "ＡＢ"},
      {"a double-byte character across the cut is dropped whole", 5, "ＡＢＣ", "ＡＢ"},
      {"mixed widths", 5, "1ＡＢ2", "1ＡＢ"},
      {"half-width katakana count one byte", 4, "ｱｲｳｴｵ", "ｱｲｳｴ"},
      {"text that fits is kept", 4, "ＡＢ", "ＡＢ"},
  };
  answer = 9;  // keep the focus where it is
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fields[0]->setFocus();
    fields[0]->setMaxLength(c.maxLength);
    fields[0]->setText(c.text);
    fields[0]->setSelStart(1);
    release('A');
    EXPECT_EQ(fields[0]->text(), c.cut);
    if (std::string(c.text) != c.cut) {
      EXPECT_EQ(fields[0]->selStart(), fields[0]->length());
    }
  }
}

TEST_F(Advance, NoActionForModifiersEnterEscArrowsOrOnTheLastField) {
  struct Case {
    const char* what;
    int field;
    std::int16_t key;
    std::int16_t shift;
  };
  const Case cases[] = {
      {"Shift held", 0, '4', shift::Shift},
      {"Ctrl held", 0, '4', shift::Ctrl},
      {"Alt held", 0, '4', shift::Alt},
      {"Shift key itself", 0, key::Shift, shift::None},
      {"Ctrl key itself", 0, key::Ctrl, shift::None},
      {"Esc", 0, key::Esc, shift::None},
      {"Enter", 0, key::Enter, shift::None},
      {"Up", 0, key::Up, shift::None},
      {"Down", 0, key::Down, shift::None},
      {"the last field", 2, '4', shift::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TextBox& f = *fields[static_cast<std::size_t>(c.field)];
    f.setFocus();
    f.setText("ＡＢＣＤ");
    f.setSelStart(4);
    release(c.key, c.shift);
    EXPECT_TRUE(checkedRows.empty());
    EXPECT_EQ(f.text(), "ＡＢＣＤ") << "not even cut";
    EXPECT_EQ(world.form.activeControl(), &f);
  }
}

TEST_F(Advance, OtherKeysDoAdvance) {
  for (std::int16_t code : {std::int16_t{'4'}, key::Right, key::Left, key::End, key::Tab, key::F5}) {
    SCOPED_TRACE(code);
    checkedRows.clear();
    fields[0]->setFocus();
    fields[0]->setText("1234");
    fields[0]->setSelStart(4);
    release(code);
    EXPECT_EQ(checkedRows.size(), 1u);
  }
}

TEST_F(Advance, AFieldWithoutLimitIsNeverFullNorCut) {
  fields[0]->setMaxLength(0);
  fields[0]->setText("1234");
  fields[0]->setSelStart(4);
  release('4');
  EXPECT_TRUE(checkedRows.empty());
  EXPECT_EQ(fields[0]->text(), "1234");
}

TEST_F(Advance, NothingOnAHiddenWindowOrOutsideTheTable) {
  auto& grid = world.form.add<platform::ui::ListGrid>("GRID");
  grid.setFocus();
  release('4');
  EXPECT_TRUE(checkedRows.empty());

  fields[0]->setFocus();
  fields[0]->setText("1234");
  fields[0]->setSelStart(4);
  world.form.hide();
  release('4');
  EXPECT_TRUE(checkedRows.empty());
}

TEST_F(Advance, TheAcceptedFieldMovesOnLikeEnterSkippingIneligibleFields) {
  fields[1]->setEnabled(false);
  world.form.typeText("1234");
  EXPECT_EQ(world.form.activeControl(), fields[2]);
}

}  // namespace
}  // namespace mnt4820
