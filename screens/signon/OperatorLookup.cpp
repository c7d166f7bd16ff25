#include "screens/signon/OperatorLookup.h"

#include <optional>

#include "db/OperatorStore.h"
#include "framework/Conventions.h"
#include "platform/text/CodePage.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"

namespace mnt4820 {

using platform::ui::TextBox;

std::string trimmed(const TextBox& field) { return platform::trimBlanks(field.text()); }

void refuse(SignOnState& signOn, std::int16_t& status, const char* message) {
  showFixedMessage(signOn.program.ui, message);
  status = StatusStop;
}

void lookUpOperator(SignOnState& signOn, const TextBox& codeField, platform::ui::Label& nameLabel, NameShown shown,
                    std::int16_t& status) {
  const std::string code = trimmed(codeField);
  if (code.empty()) return refuse(signOn, status, "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません");
  std::optional<OperatorRow> row;
  const auto lookUp = [&] { row = OperatorStore(signOn.program.database).find(code); };
  if (!runOrStop(signOn.program.ui, "operator lookup", SearchFailedMessage, status, lookUp)) return;
  if (!row) return refuse(signOn, status, "該当コードがありません");
  nameLabel.setCaption(shown == NameShown::AsStored ? row->name : platform::trimBlanks(row->name));
  signOn.SignOnCode = code;
  signOn.SignOnName = platform::trimBlanks(row->name);
  signOn.SignOnImeMode = row->imeMode;
  signOn.SignOnAuthority = row->authority;
  signOn.StoredPassword = platform::trimBlanks(row->password);
}

}  // namespace mnt4820
