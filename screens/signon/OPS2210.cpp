#include "screens/signon/OPS2210.h"

#include <array>
#include <optional>
#include <span>
#include <string>

#include "db/QueryOperations.h"
#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldNavigation.h"
#include "framework/WindowStyle.h"
#include "platform/odbc/Transaction.h"
#include "platform/text/CodePage.h"
#include "platform/text/NumberConversion.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiTypes.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "screens/signon/SignOnManage.h"

namespace mnt4820 {

namespace {

namespace key = platform::ui::key;
using platform::ui::TextBox;

constexpr int StylingFailed = 1;

std::string trimmed(const TextBox& field) { return platform::trimBlanks(field.text()); }

void refuse(SignOnState& signOn, std::int16_t& status, const char* message) {
  showFixedMessage(signOn.program.ui, message);
  status = StatusStop;
}

struct OperatorRow {
  std::string name;
  std::int16_t imeMode;
  std::int16_t authority;
  std::string password;
};

std::optional<OperatorRow> readOperator(DatabaseSession& database, const std::string& code) {
  database.SqlText = "SELECT * FROM FL0003担当者マスタ WHERE 担当者コード = ?";
  std::optional<platform::odbc::ResultSet> rows;
  OpenQuery(database, rows, {code});
  if (rows->atEnd()) {
    rows->close();
    return std::nullopt;
  }
  OperatorRow row{
      rows->value("担当者氏名").value_or(""), platform::leadingNumber16(rows->value("IME起動モード").value_or("")),
      platform::leadingNumber16(rows->value("権限レベル").value_or("")), rows->value("パスワード").value_or("")};
  rows->close();
  return row;
}

enum class NameShown { AsStored, Trimmed };

// Looks up the trimmed operator code of a window; on success its name label shows the name and the working values
// are replaced, on a refusal nothing changes.
void lookUpOperator(SignOnState& signOn, const TextBox& codeField, platform::ui::Label& nameLabel, NameShown shown,
                    std::int16_t& status) {
  const std::string code = trimmed(codeField);
  if (code.empty()) return refuse(signOn, status, "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません");
  std::optional<OperatorRow> row;
  const auto lookUp = [&] { row = readOperator(signOn.program.database, code); };
  if (!runOrStop(signOn.program.ui, "operator lookup", SearchFailedMessage, status, lookUp)) return;
  if (!row) return refuse(signOn, status, "該当コードがありません");
  nameLabel.setCaption(shown == NameShown::AsStored ? row->name : platform::trimBlanks(row->name));
  signOn.SignOnCode = code;
  signOn.SignOnName = platform::trimBlanks(row->name);
  signOn.SignOnImeMode = row->imeMode;
  signOn.SignOnAuthority = row->authority;
  signOn.StoredPassword = platform::trimBlanks(row->password);
}

void selectFocusedText(std::span<TextBox* const> fields) {
  for (TextBox* field : fields) {
    if (field->hasFocus()) SelectAllText(*field);
  }
}

using FieldCheck = void (*)(SignOnState&, int tabIndex, std::int16_t& status);

// The sign-on dialogs' own form of leaving a full field: the focused one of `fields`, when the released key leaves
// it typed full, is checked; a refused one has its text selected again. Returns the accepted field, for the caller
// to leave. Nothing is cut.
TextBox* checkedFullField(SignOnState& signOn, const platform::ui::Form& window, std::span<TextBox* const> fields,
                          std::int16_t keyCode, FieldCheck check) {
  if (!mayAutoAdvanceOn(keyCode) || !window.isVisible()) return nullptr;
  TextBox* full = nullptr;
  for (TextBox* field : fields) {
    if (field->hasFocus() && isTypedFull(*field)) full = field;
  }
  if (full == nullptr) return nullptr;
  std::int16_t status = StatusGoOn;
  check(signOn, full->tabIndex(), status);
  if (status != StatusStop) return full;
  selectFocusedText(fields);
  return nullptr;
}

std::array<TextBox*, 2> signOnFields(OPS22101& window) { return {&window.OPCD, &window.PSWD}; }

// The password window's fields in their order; Enter, Down and a full field move to the next.
constexpr int PasswordFieldCount = 4;
std::array<TextBox*, PasswordFieldCount> passwordFields(OPS22102& window) {
  return {&window.OPCD, &window.PSWD, &window.NPSWD, &window.KAKUNIN};
}

int passwordFieldOf(OPS22102& window, const platform::ui::Control* control) {
  const auto fields = passwordFields(window);
  for (int i = 0; i < PasswordFieldCount; ++i) {
    if (fields[static_cast<std::size_t>(i)] == control) return i;
  }
  return -1;
}

void focusPasswordField(OPS22102& window, int position) {
  passwordFields(window)[static_cast<std::size_t>((position + PasswordFieldCount) % PasswordFieldCount)]->setFocus();
}

void styleWindow(platform::ui::Form& window, const Settings& settings) {
  ScreenState screen;
  screen.CurrentForm = &window;
  ApplyWindowStyle(screen, settings);
}

}  // namespace

void CheckOperatorCode(SignOnState& signOn, std::int16_t& status) {
  OPS22101& window = *signOn.SignOnWindow;
  lookUpOperator(signOn, window.OPCD, window.lbl_OPNM, NameShown::AsStored, status);
}

void CheckSignOnPassword(SignOnState& signOn, std::int16_t& status) {
  OPS22101& window = *signOn.SignOnWindow;
  CheckOperatorCode(signOn, status);
  if (status == StatusStop) {
    window.OPCD.setFocus();
    return;
  }
  const std::string typed = trimmed(window.PSWD);
  if (typed.empty() || typed != platform::trimBlanks(signOn.StoredPassword)) {
    refuse(signOn, status, "パスワードが不正です");
  }
}

void CheckSignOnField(SignOnState& signOn, int tabIndex, std::int16_t& status) {
  OPS22101& window = *signOn.SignOnWindow;
  if (tabIndex == window.OPCD.tabIndex()) {
    CheckOperatorCode(signOn, status);
  } else if (tabIndex == window.PSWD.tabIndex()) {
    CheckSignOnPassword(signOn, status);
  }
}

void SignOnKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  OPS22101& window = *signOn.SignOnWindow;
  TextBox& code = window.OPCD;
  TextBox& password = window.PSWD;
  platform::ui::Control* focused = window.form->activeControl();
  switch (keyCode) {
    case key::Enter: {
      if (focused == nullptr) return;
      std::int16_t status = StatusGoOn;
      CheckSignOnField(signOn, focused->tabIndex(), status);
      if (status == StatusStop) return selectFocusedText(signOnFields(window));
      if (focused == &code) password.setFocus();
      if (focused == &password) AcceptSignOn(signOn);
      return;
    }
    case key::Esc: return CancelSignOn(signOn);
    case key::F5: return OpenPasswordChange(signOn);
    case key::Up:
    case key::Down:
      if (focused == &code)
        password.setFocus();
      else if (focused == &password)
        code.setFocus();
      return;
    default: return;
  }
}

void SignOnKeyUp(SignOnState& signOn, std::int16_t keyCode) {
  OPS22101& window = *signOn.SignOnWindow;
  const TextBox* left = checkedFullField(signOn, *window.form, signOnFields(window), keyCode, CheckSignOnField);
  if (left == &window.OPCD) window.PSWD.setFocus();
}

void OpenPasswordChange(SignOnState& signOn) {
  OPS22101& from = *signOn.SignOnWindow;
  OPS22102& to = *signOn.PasswordWindow;
  StyleSignOnWindows(signOn);
  ShowPasswordHeader(signOn);
  to.OPCD.setText(from.OPCD.text());
  to.PSWD.setText(from.PSWD.text());
  to.NPSWD.setText("");
  to.KAKUNIN.setText("");
  to.form->show(platform::ui::ShowMode::Modeless);
}

void StyleSignOnWindows(SignOnState& signOn) {
  platform::ui::Form& password = *signOn.PasswordWindow->form;
  std::int16_t status = StatusGoOn;
  const bool styled = runOrStop(signOn.program.ui, "sign-on window styling", StylingFailedMessage, status, [&] {
    styleWindow(*signOn.SignOnWindow->form, signOn.program.settings);
    // The main window's styling also sets the window's background, which this window keeps from its design.
    const platform::ui::Color designed = password.backColor();
    styleWindow(password, signOn.program.settings);
    password.setBackColor(designed);
  });
  if (!styled) signOn.program.ui.endProgram(StylingFailed);
}

void CheckChangeOperatorCode(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  lookUpOperator(signOn, window.OPCD, window.lbl_OPNM, NameShown::Trimmed, status);
  if (status == StatusStop) window.OPCD.setFocus();
}

void CheckOldPassword(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  if (trimmed(window.OPCD).empty()) {
    refuse(signOn, status, "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません");
    window.OPCD.setFocus();
  } else if (trimmed(window.PSWD) != platform::trimBlanks(signOn.StoredPassword)) {
    refuse(signOn, status, "パスワードが不正です");
    window.PSWD.setFocus();
  }
}

void CheckNewPassword(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  if (!trimmed(window.NPSWD).empty()) return;
  refuse(signOn, status, "新パスワードが入力されていません");
  window.NPSWD.setFocus();
}

void CheckConfirmation(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  if (trimmed(window.KAKUNIN) == trimmed(window.NPSWD)) return;
  refuse(signOn, status, "パスワードが不正です");
  window.NPSWD.setText("");
  window.KAKUNIN.setText("");
  window.KAKUNIN.setFocus();
}

void CheckPasswordField(SignOnState& signOn, int tabIndex, std::int16_t& status) {
  using Check = void (*)(SignOnState&, std::int16_t&);
  constexpr Check Checks[PasswordFieldCount] = {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword,
                                                CheckConfirmation};
  const auto fields = passwordFields(*signOn.PasswordWindow);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i]->tabIndex() == tabIndex) return Checks[i](signOn, status);
  }
}

void PasswordKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  OPS22102& window = *signOn.PasswordWindow;
  platform::ui::Control* focused = window.form->activeControl();
  const int position = passwordFieldOf(window, focused);
  switch (keyCode) {
    case key::Enter: {
      if (focused == nullptr) return;
      std::int16_t status = StatusGoOn;
      CheckPasswordField(signOn, focused->tabIndex(), status);
      if (status == StatusStop) return selectFocusedText(passwordFields(window));
      if (position == PasswordFieldCount - 1) return StoreNewPassword(signOn);
      if (position >= 0) focusPasswordField(window, position + 1);
      return;
    }
    case key::Esc: window.form->requestClose(); return;
    case key::Up:
      if (position >= 0) focusPasswordField(window, position - 1);
      return;
    case key::Down:
      if (position >= 0) focusPasswordField(window, position + 1);
      return;
    default: return;
  }
}

void PasswordKeyUp(SignOnState& signOn, std::int16_t keyCode) {
  OPS22102& window = *signOn.PasswordWindow;
  const TextBox* left = checkedFullField(signOn, *window.form, passwordFields(window), keyCode, CheckPasswordField);
  const int position = passwordFieldOf(window, left);
  // KAKUNIN has no key-up handling: storing is the operator's decision.
  if (position >= 0 && position < PasswordFieldCount - 1) focusPasswordField(window, position + 1);
}

void StoreNewPassword(SignOnState& signOn) {
  OPS22102& window = *signOn.PasswordWindow;
  std::int16_t status = StatusGoOn;
  for (const auto check : {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword, CheckConfirmation}) {
    check(signOn, status);
    if (status == StatusStop) return;
  }
  // Stored as typed, blanks included: the comparisons trim both sides.
  const std::string newPassword = window.NPSWD.text();
  DatabaseSession& database = signOn.program.database;
  // A failure is told with the window still open and what was typed in it; the transaction has rolled back on
  // its way out by then.
  const bool stored = runOrStop(signOn.program.ui, "password update", UpdateFailedMessage, status, [&] {
    platform::odbc::Transaction transaction(liveConnection(database));
    database.SqlText = "UPDATE FL0003担当者マスタ SET パスワード = ? WHERE 担当者コード = ?";
    // The row of the operator just looked up; if it has gone in the meantime nothing was changed.
    if (ExecuteSql(database, {newPassword, signOn.SignOnCode}) < 1) {
      throw std::runtime_error("no operator row " + signOn.SignOnCode + " was updated");
    }
    transaction.commit();
  });
  if (!stored) return;
  signOn.StoredPassword = newPassword;
  signOn.SignOnWindow->PSWD.setText("");
  window.form->requestClose();
}

}  // namespace mnt4820
