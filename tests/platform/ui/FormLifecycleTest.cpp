// Loading, showing, closing and modal display of a form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiError.h"

namespace platform::ui {
namespace {

using Log = std::vector<std::string>;

class FormLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    world.form.onLoad = [this] { world.log.push_back("load"); };
    world.form.onUnload = [this] { world.log.push_back("unload"); };
    world.form.onQueryUnload = [this](bool& cancel) {
      world.log.push_back("queryUnload");
      cancel = cancelClose;
    };
  }

  testing::FormWorld world;
  Label& heading = world.form.add<Label>("tit_KOUMOKU", 0);
  TextBox& field = world.form.add<TextBox>("KCNTCD");
  bool cancelClose = false;
};

TEST_F(FormLifecycle, LoadRunsOnceHoweverOftenTheFormIsShown) {
  world.form.load();
  world.form.show();
  world.form.hide();
  world.form.show();
  world.form.load();

  EXPECT_EQ(world.log, (Log{"load"}));
  EXPECT_TRUE(world.form.isLoaded());
  EXPECT_TRUE(world.form.isVisible());
}

TEST_F(FormLifecycle, ShowLoadsTheFormBeforeItBecomesVisible) {
  bool visibleDuringLoad = true;
  world.form.onLoad = [&] { visibleDuringLoad = world.form.isVisible(); };
  world.form.show();
  EXPECT_FALSE(visibleDuringLoad);
  EXPECT_TRUE(world.form.isVisible());
  EXPECT_TRUE(field.hasFocus());
}

TEST_F(FormLifecycle, HideKeepsTheFormLoaded) {
  world.form.show();
  world.form.hide();
  EXPECT_FALSE(world.form.isVisible());
  EXPECT_TRUE(world.form.isLoaded());
  EXPECT_THROW(field.setFocus(), UiError);
}

TEST_F(FormLifecycle, CancelledCloseKeepsTheFormVisible) {
  world.form.show();
  cancelClose = true;

  EXPECT_FALSE(world.form.requestClose());
  EXPECT_EQ(world.log, (Log{"load", "queryUnload"}));
  EXPECT_TRUE(world.form.isVisible());
  EXPECT_TRUE(world.form.isLoaded());
  EXPECT_TRUE(field.hasFocus());
}

TEST_F(FormLifecycle, CloseUnloadsAndHidesTheForm) {
  world.form.show();

  EXPECT_TRUE(world.form.requestClose());
  EXPECT_EQ(world.log, (Log{"load", "queryUnload", "unload"}));
  EXPECT_FALSE(world.form.isVisible());
  EXPECT_FALSE(world.form.isLoaded());
  EXPECT_EQ(world.form.activeControl(), nullptr);
}

TEST_F(FormLifecycle, ShowingAnUnloadedFormLoadsItAgain) {
  world.form.show();
  world.form.requestClose();
  world.log.clear();

  world.form.show();
  EXPECT_EQ(world.log, (Log{"load"}));
  EXPECT_TRUE(field.hasFocus());
}

TEST_F(FormLifecycle, ModalShowRunsTheScriptWhileTheFormIsUp) {
  world.toolkit.onModal = [this](Form& form) {
    world.log.push_back(std::string("modal ") + (form.isVisible() ? "visible" : "hidden"));
    form.typeText("ab");
    form.requestClose();
  };
  world.form.show(ShowMode::Modal);

  EXPECT_EQ(world.log, (Log{"load", "modal visible", "queryUnload", "unload"}));
  EXPECT_EQ(field.text(), "ab");
  EXPECT_FALSE(world.form.isVisible());
}

TEST_F(FormLifecycle, ModalScriptThatLeavesTheFormOpenIsAnError) {
  world.toolkit.onModal = [](Form&) {};
  EXPECT_THROW(world.form.show(ShowMode::Modal), UiError);

  // A close that the form refuses leaves it open as well.
  cancelClose = true;
  world.toolkit.onModal = [](Form& form) { form.requestClose(); };
  EXPECT_THROW(world.form.show(ShowMode::Modal), UiError);
}

TEST_F(FormLifecycle, ModalShowWithoutAScriptIsAnError) { EXPECT_THROW(world.form.show(ShowMode::Modal), UiError); }

}  // namespace
}  // namespace platform::ui
