#include "screens/signon/OPS2210.h"

#include <algorithm>
#include <exception>
#include <optional>
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
#include "screens/signon/SignOnManage.h"

namespace mnt4820 {

namespace {

namespace key = platform::ui::key;
using platform::ui::Form;
using platform::ui::TextBox;

constexpr int StylingFailed = 1;

TextBox& field(Form& window, const char* name) { return window.get<TextBox>(name); }
std::string trimmed(Form& window, const char* name) { return platform::trimBlanks(field(window, name).text()); }

void refuse(SignOnState& signOn, std::int16_t& status, const char* message) {
  signOn.program.ui.messageBox(message, platform::ui::mb::OkOnly, ProgramTitle);
  status = StatusStop;
}

// The number at the start of the text, rounded to 16 bits; 0 when there is none or it does not fit.
std::int16_t leadingNumber16(const std::optional<std::string>& value) {
  const std::string text = platform::trimBlanks(value.value_or(""));
  const auto isDigit = [&text](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  std::size_t end = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
  bool digits = false;
  for (; isDigit(end); ++end) digits = true;
  if (end < text.size() && text[end] == '.') {
    for (++end; isDigit(end); ++end) digits = true;
  }
  if (!digits) return 0;
  try {
    return platform::toInteger16(platform::parseNumber(text.substr(0, end)));
  } catch (const std::exception&) {
    return 0;
  }
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
  OperatorRow row{rows->value("担当者氏名").value_or(""), leadingNumber16(rows->value("IME起動モード")),
                  leadingNumber16(rows->value("権限レベル")), rows->value("パスワード").value_or("")};
  rows->close();
  return row;
}

enum class NameShown { AsStored, Trimmed };

// Looks up the trimmed OPCD of `window`; on success its lbl_OPNM shows the name and the working values are
// replaced, on a refusal nothing changes.
void lookUpOperator(SignOnState& signOn, Form& window, NameShown shown, std::int16_t& status) {
  const std::string code = trimmed(window, "OPCD");
  if (code.empty()) return refuse(signOn, status, "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません");
  std::optional<OperatorRow> row;
  try {
    row = readOperator(signOn.program.database, code);
  } catch (const std::exception& error) {
    reportCaughtError("operator lookup", error);
    return refuse(signOn, status, "検索時にｴﾗｰがありました");
  }
  if (!row) return refuse(signOn, status, "該当コードがありません");
  window.get<platform::ui::Label>("lbl_OPNM")
      .setCaption(shown == NameShown::AsStored ? row->name : platform::trimBlanks(row->name));
  signOn.SignOnCode = code;
  signOn.SignOnName = platform::trimBlanks(row->name);
  signOn.SignOnImeMode = row->imeMode;
  signOn.SignOnAuthority = row->authority;
  signOn.StoredPassword = platform::trimBlanks(row->password);
}

// The sign-on dialogs' own form of leaving a full field: as many characters as MaxLength, with the caret at
// the end, the whole text selected or the last character selected. Nothing is cut.
TextBox* fullFieldOf(Form& window, std::int16_t keyCode) {
  if (!mayAutoAdvanceOn(keyCode) || !window.isVisible()) return nullptr;
  auto* box = dynamic_cast<TextBox*>(window.activeControl());
  if (box == nullptr || box->maxLength() == 0) return nullptr;
  const int m = box->maxLength();
  const int p = box->selStart();
  const int l = box->selLength();
  const bool full = box->length() == m && ((p + l == m && l == 1) || p == m || l == m);
  return full ? box : nullptr;
}

void selectFocusedText(Form& window) {
  if (platform::ui::Control* focused = window.activeControl()) SelectAllText(*focused);
}

// The password window's fields in their order; Enter, Down and a full field move to the next.
constexpr const char* PasswordFields[] = {"OPCD", "PSWD", "NPSWD", "KAKUNIN"};
constexpr int PasswordFieldCount = 4;

int passwordFieldOf(Form& window, const platform::ui::Control* control) {
  for (int i = 0; i < PasswordFieldCount; ++i) {
    if (&field(window, PasswordFields[i]) == control) return i;
  }
  return -1;
}

void focusPasswordField(Form& window, int position) {
  field(window, PasswordFields[(position + PasswordFieldCount) % PasswordFieldCount]).setFocus();
}

void styleWindow(Form& window, const Settings& settings) {
  ScreenState screen;
  screen.CurrentForm = &window;
  ApplyWindowStyle(screen, settings);
}

}  // namespace

void CheckOperatorCode(SignOnState& signOn, std::int16_t& status) {
  lookUpOperator(signOn, *signOn.SignOnWindow, NameShown::AsStored, status);
}

void CheckSignOnPassword(SignOnState& signOn, std::int16_t& status) {
  Form& window = *signOn.SignOnWindow;
  CheckOperatorCode(signOn, status);
  if (status == StatusStop) {
    field(window, "OPCD").setFocus();
    return;
  }
  const std::string typed = trimmed(window, "PSWD");
  if (typed.empty() || typed != platform::trimBlanks(signOn.StoredPassword)) {
    refuse(signOn, status, "パスワードが不正です");
  }
}

void CheckSignOnField(SignOnState& signOn, int tabIndex, std::int16_t& status) {
  Form& window = *signOn.SignOnWindow;
  if (tabIndex == field(window, "OPCD").tabIndex()) {
    CheckOperatorCode(signOn, status);
  } else if (tabIndex == field(window, "PSWD").tabIndex()) {
    CheckSignOnPassword(signOn, status);
  }
}

void SignOnKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  Form& window = *signOn.SignOnWindow;
  TextBox& code = field(window, "OPCD");
  TextBox& password = field(window, "PSWD");
  platform::ui::Control* focused = window.activeControl();
  switch (keyCode) {
    case key::Enter: {
      if (focused == nullptr) return;
      std::int16_t status = StatusGoOn;
      CheckSignOnField(signOn, focused->tabIndex(), status);
      if (status == StatusStop) return selectFocusedText(window);
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
  Form& window = *signOn.SignOnWindow;
  TextBox* full = fullFieldOf(window, keyCode);
  if (full == nullptr) return;
  std::int16_t status = StatusGoOn;
  CheckSignOnField(signOn, full->tabIndex(), status);
  if (status == StatusStop) return selectFocusedText(window);
  if (full == &field(window, "OPCD")) field(window, "PSWD").setFocus();
}

void OpenPasswordChange(SignOnState& signOn) {
  Form& from = *signOn.SignOnWindow;
  Form& to = *signOn.PasswordWindow;
  StyleSignOnWindows(signOn);
  ShowPasswordHeader(signOn);
  field(to, "OPCD").setText(field(from, "OPCD").text());
  field(to, "PSWD").setText(field(from, "PSWD").text());
  field(to, "NPSWD").setText("");
  field(to, "KAKUNIN").setText("");
  to.show(platform::ui::ShowMode::Modeless);
}

void StyleSignOnWindows(SignOnState& signOn) {
  Form& password = *signOn.PasswordWindow;
  try {
    styleWindow(*signOn.SignOnWindow, signOn.program.settings);
    // The main window's styling also sets the window's background, which this window keeps from its design.
    const platform::ui::Color designed = password.backColor();
    styleWindow(password, signOn.program.settings);
    password.setBackColor(designed);
  } catch (const std::exception& error) {
    reportCaughtError("sign-on window styling", error);
    signOn.program.ui.messageBox("項目設定エラー", platform::ui::mb::OkOnly, ProgramTitle);
    signOn.program.ui.endProgram(StylingFailed);
  }
}

void CheckChangeOperatorCode(SignOnState& signOn, std::int16_t& status) {
  Form& window = *signOn.PasswordWindow;
  lookUpOperator(signOn, window, NameShown::Trimmed, status);
  if (status == StatusStop) field(window, "OPCD").setFocus();
}

void CheckOldPassword(SignOnState& signOn, std::int16_t& status) {
  Form& window = *signOn.PasswordWindow;
  if (trimmed(window, "OPCD").empty()) {
    refuse(signOn, status, "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません");
    field(window, "OPCD").setFocus();
  } else if (trimmed(window, "PSWD") != platform::trimBlanks(signOn.StoredPassword)) {
    refuse(signOn, status, "パスワードが不正です");
    field(window, "PSWD").setFocus();
  }
}

void CheckNewPassword(SignOnState& signOn, std::int16_t& status) {
  Form& window = *signOn.PasswordWindow;
  if (!trimmed(window, "NPSWD").empty()) return;
  refuse(signOn, status, "新パスワードが入力されていません");
  field(window, "NPSWD").setFocus();
}

void CheckConfirmation(SignOnState& signOn, std::int16_t& status) {
  Form& window = *signOn.PasswordWindow;
  if (trimmed(window, "KAKUNIN") == trimmed(window, "NPSWD")) return;
  refuse(signOn, status, "パスワードが不正です");
  field(window, "NPSWD").setText("");
  field(window, "KAKUNIN").setText("");
  field(window, "KAKUNIN").setFocus();
}

void CheckPasswordField(SignOnState& signOn, int tabIndex, std::int16_t& status) {
  Form& window = *signOn.PasswordWindow;
  using Check = void (*)(SignOnState&, std::int16_t&);
  constexpr Check Checks[PasswordFieldCount] = {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword,
                                                CheckConfirmation};
  for (int i = 0; i < PasswordFieldCount; ++i) {
    if (field(window, PasswordFields[i]).tabIndex() == tabIndex) return Checks[i](signOn, status);
  }
}

void PasswordKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  Form& window = *signOn.PasswordWindow;
  platform::ui::Control* focused = window.activeControl();
  const int position = passwordFieldOf(window, focused);
  switch (keyCode) {
    case key::Enter: {
      if (focused == nullptr) return;
      std::int16_t status = StatusGoOn;
      CheckPasswordField(signOn, focused->tabIndex(), status);
      if (status == StatusStop) return selectFocusedText(window);
      if (position == PasswordFieldCount - 1) return StoreNewPassword(signOn);
      if (position >= 0) focusPasswordField(window, position + 1);
      return;
    }
    case key::Esc: window.requestClose(); return;
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
  Form& window = *signOn.PasswordWindow;
  TextBox* full = fullFieldOf(window, keyCode);
  if (full == nullptr) return;
  std::int16_t status = StatusGoOn;
  CheckPasswordField(signOn, full->tabIndex(), status);
  if (status == StatusStop) return selectFocusedText(window);
  const int position = passwordFieldOf(window, full);
  // KAKUNIN has no key-up handling: storing is the operator's decision.
  if (position >= 0 && position < PasswordFieldCount - 1) focusPasswordField(window, position + 1);
}

void StoreNewPassword(SignOnState& signOn) {
  Form& window = *signOn.PasswordWindow;
  std::int16_t status = StatusGoOn;
  for (const auto check : {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword, CheckConfirmation}) {
    check(signOn, status);
    if (status == StatusStop) return;
  }
  // Stored as typed, blanks included: the comparisons trim both sides.
  const std::string newPassword = field(window, "NPSWD").text();
  DatabaseSession& database = signOn.program.database;
  try {
    platform::odbc::Transaction transaction(liveConnection(database));
    database.SqlText = "UPDATE FL0003担当者マスタ SET パスワード = ? WHERE 担当者コード = ?";
    // The row of the operator just looked up; if it has gone in the meantime nothing was changed.
    if (ExecuteSql(database, {newPassword, signOn.SignOnCode}) < 1) {
      throw std::runtime_error("no operator row " + signOn.SignOnCode + " was updated");
    }
    transaction.commit();
  } catch (const std::exception& error) {
    // The transaction has rolled back on its way out.
    reportCaughtError("password update", error);
    refuse(signOn, status, "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
    return;
  }
  signOn.StoredPassword = newPassword;
  field(*signOn.SignOnWindow, "PSWD").setText("");
  window.requestClose();
}

}  // namespace mnt4820
