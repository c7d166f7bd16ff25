// Program-wide services through the headless toolkit: message boxes, the pointer, the way out.
#include <gtest/gtest.h>

#include <vector>

#include "FormTestSupport.h"
#include "platform/ui/Application.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/UiError.h"

namespace platform::ui {
namespace {

TEST(HeadlessMessageBoxes, AreRecordedAndAnsweredInQueueOrder) {
  HeadlessToolkit toolkit;
  Application application(toolkit);
  toolkit.answerNext(mb::Answer::No);
  toolkit.answerNext(mb::Answer::Yes);

  EXPECT_EQ(application.messageBox("終了しますか", mb::YesNo + mb::Exclamation + mb::DefaultButton2, "MNT4820"),
            mb::Answer::No);
  EXPECT_EQ(toolkit.pendingAnswers(), 1u);
  EXPECT_EQ(application.messageBox("この内容で更新しますか", mb::YesNo + mb::Exclamation, "MNT4820"), mb::Answer::Yes);
  EXPECT_EQ(toolkit.pendingAnswers(), 0u);

  const auto& shown = toolkit.messages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].prompt, "終了しますか");
  EXPECT_EQ(shown[0].flags, 4 + 48 + 256);
  EXPECT_EQ(shown[0].title, "MNT4820");
  EXPECT_EQ(shown[1].prompt, "この内容で更新しますか");
  EXPECT_EQ(shown[1].flags, 4 + 48);
}

TEST(HeadlessMessageBoxes, AnUnexpectedBoxIsAnError) {
  HeadlessToolkit toolkit;
  Application application(toolkit);
  EXPECT_THROW(application.messageBox("データベースに接続できません", mb::OkOnly, "MNT4820"), UiError);
  // It is still on record, so that a failing test can say which box it was.
  ASSERT_EQ(toolkit.messages().size(), 1u);
  EXPECT_EQ(toolkit.messages()[0].prompt, "データベースに接続できません");
}

TEST(HeadlessPointer, KeepsTheHistoryOfPointerChanges) {
  HeadlessToolkit toolkit;
  Application application(toolkit);
  EXPECT_EQ(application.mousePointer(), MousePointer::Default);

  application.setMousePointer(MousePointer::Hourglass);
  application.setMousePointer(MousePointer::Arrow);

  EXPECT_EQ(application.mousePointer(), MousePointer::Arrow);
  EXPECT_EQ(toolkit.pointerHistory(), (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Arrow}));
}

TEST(HeadlessScreen, SizeComesFromTheToolkit) {
  HeadlessToolkit toolkit;
  Application application(toolkit);
  toolkit.setScreenSize(1024 * 15, 768 * 15);
  EXPECT_EQ(application.screenWidthTwips(), 15360);
  EXPECT_EQ(application.screenHeightTwips(), 11520);
}

TEST(HeadlessEndProgram, ThrowsProgramEndedAndTellsTheToolkit) {
  HeadlessToolkit toolkit;
  Application application(toolkit);
  ASSERT_FALSE(toolkit.exitCode().has_value());

  try {
    application.endProgram(3);
    FAIL() << "endProgram returned";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.exitCode(), 3);
  }
  EXPECT_EQ(toolkit.exitCode(), 3);
  EXPECT_TRUE(application.hasEnded());

  // The toolkit hears of the end once; a second call still unwinds.
  EXPECT_THROW(application.endProgram(0), ProgramEnded);
  EXPECT_EQ(toolkit.exitCode(), 3);
}

TEST(HeadlessEndProgram, UnwindsOutOfAModalForm) {
  testing::FormWorld world;
  world.toolkit.onModal = [&](Form&) { world.application.endProgram(0); };
  EXPECT_THROW(world.form.show(ShowMode::Modal), ProgramEnded);
  EXPECT_EQ(world.toolkit.exitCode(), 0);
}

}  // namespace
}  // namespace platform::ui
