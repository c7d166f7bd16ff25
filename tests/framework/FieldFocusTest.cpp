// Colouring and selecting a field as it gets and loses the focus.
#include <gtest/gtest.h>

#include "FrameworkWorld.h"
#include "framework/FieldFocus.h"

namespace mnt4820 {
namespace {

using platform::ui::TextBox;
using test::FrameworkWorld;

class FieldFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TextBox* f : {&first, &second}) {
      f->onGotFocus = [this, f] { OnFieldGotFocus(world.screen, world.settings, *f); };
      f->onLostFocus = [this, f] { OnFieldLostFocus(world.screen, world.settings, *f); };
    }
  }

  FrameworkWorld world;
  TextBox& first = world.addField("F0");
  TextBox& second = world.addField("F1");
};

TEST_F(FieldFocus, PaintFieldUsesTheFocusOrTheBackColour) {
  PaintField(world.settings, first, FieldPaint::Focused);
  EXPECT_EQ(first.backColor(), FrameworkWorld::FocusColor);
  PaintField(world.settings, first, FieldPaint::NotFocused);
  EXPECT_EQ(first.backColor(), FrameworkWorld::BackColor);
}

TEST_F(FieldFocus, SystemColoursPassUnchanged) {
  world.settings.TextFocusColor = static_cast<double>(static_cast<std::int32_t>(0x8000000Du));
  PaintField(world.settings, first, FieldPaint::Focused);
  EXPECT_EQ(static_cast<std::uint32_t>(first.backColor()), 0x8000000Du);
}

TEST_F(FieldFocus, TheFocusedFieldIsPaintedAndWhollySelectedTheOtherRepainted) {
  first.setText("ABC");
  second.setText("あいう");
  second.setSelStart(1);
  world.form.show();  // the first field takes the focus
  EXPECT_EQ(first.backColor(), FrameworkWorld::FocusColor);
  EXPECT_EQ(first.selStart(), 0);
  EXPECT_EQ(first.selLength(), 3);

  second.setFocus();
  EXPECT_EQ(first.backColor(), FrameworkWorld::BackColor);
  EXPECT_EQ(second.backColor(), FrameworkWorld::FocusColor);
  EXPECT_EQ(second.selStart(), 0);
  EXPECT_EQ(second.selLength(), 3) << "counted in characters";
}

TEST_F(FieldFocus, SelectAllTextLeavesAnEmptyFieldAlone) {
  int selectionChanges = 0;
  struct Counter : platform::ui::ControlObserver {
    int& count;
    explicit Counter(int& c) : count(c) {}
    void controlChanged(platform::ui::Control&, const platform::ui::ControlChange& c) override {
      if (c.property == platform::ui::Property::Selection || c.property == platform::ui::Property::Text) ++count;
    }
  } counter(selectionChanges);
  first.setObserver(&counter);
  SelectAllText(first);
  EXPECT_EQ(selectionChanges, 0);
  EXPECT_EQ(first.selStart(), 0);
  EXPECT_EQ(first.selLength(), 0);

  first.setText("12345");
  first.setSelStart(3);
  first.setSelLength(1);
  SelectAllText(first);
  EXPECT_EQ(first.selStart(), 0);
  EXPECT_EQ(first.selLength(), 5);
  first.setObserver(nullptr);
}

}  // namespace
}  // namespace mnt4820
