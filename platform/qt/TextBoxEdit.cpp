#include "platform/qt/TextBoxEdit.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include "platform/qt/PasswordCharStyle.h"
#include "platform/qt/QtToolkit.h"
#include "platform/ui/Form.h"
#include "platform/ui/TextBox.h"

namespace platform::qt {

namespace {

// The model counts characters (code points), QLineEdit UTF-16 units.
int utf16Position(const QString& text, int characters) {
  int position = 0;
  for (int counted = 0; position < text.size() && counted < characters; ++counted) {
    position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
  }
  return position;
}

int characterPosition(const QString& text, int utf16) {
  int characters = 0;
  for (int position = 0; position < utf16 && position < text.size(); ++characters) {
    position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
  }
  return characters;
}

int modelAnchor(const ui::TextBox& box) {
  const int caret = box.caretPosition();
  if (box.selLength() == 0) return caret;
  return caret == box.selStart() ? box.selStart() + box.selLength() : box.selStart();
}

}  // namespace

TextBoxEdit::TextBoxEdit(QtToolkit& toolkit, ui::TextBox& box, QWidget* parent)
    : QLineEdit(parent), toolkit_(toolkit), box_(&box) {
  // Menus, drops and the X11 middle-button paste would edit the text behind the model's back.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  setDragEnabled(false);
  connect(this, &QLineEdit::cursorPositionChanged, this, [this] { copySelectionToModel(); });
  connect(this, &QLineEdit::selectionChanged, this, [this] { copySelectionToModel(); });
}

std::vector<ColorRoles> TextBoxEdit::colorRoles() const { return {{QPalette::Base, QPalette::Text}}; }

void TextBoxEdit::showChange(const ui::ControlChange& change) {
  switch (change.property) {
    case ui::Property::Text:
    case ui::Property::Selection: showModelState(); break;
    case ui::Property::Locked:
    case ui::Property::PasswordChar:
    case ui::Property::ImeMode: showEditingMode(); break;
    case ui::Property::Focus:
      // Qt deselects a line edit it leaves; the model kept the selection.
      if (box_ != nullptr && box_->hasFocus()) showModelState();
      break;
    default: break;  // MaxLength too: the model limits typing, and QLineEdit's own limit would count UTF-16 units
  }
}

void TextBoxEdit::showModelState() {
  if (box_ == nullptr || updating_) return;
  const QScopedValueRollback<bool> scope(updating_, true);
  const QString modelText = QString::fromStdString(box_->text());
  if (text() != modelText) setText(modelText);
  const int caret = utf16Position(modelText, box_->caretPosition());
  const int anchor = utf16Position(modelText, modelAnchor(*box_));
  if (anchor == caret) {
    if (hasSelectedText() || cursorPosition() != caret) setCursorPosition(caret);
    return;
  }
  const bool same = hasSelectedText() && cursorPosition() == caret &&
                    (caret == selectionStart() ? selectionEnd() : selectionStart()) == anchor;
  if (!same) setSelection(anchor, caret - anchor);
}

void TextBoxEdit::showEditingMode() {
  if (box_ == nullptr) return;
  setReadOnly(box_->isLocked());
  setEchoMode(box_->passwordChar().empty() ? QLineEdit::Normal : QLineEdit::Password);
  if (!box_->passwordChar().empty()) {
    if (passwordStyle_ == nullptr) {
      passwordStyle_ = new PasswordCharStyle;
      passwordStyle_->setParent(this);
    }
    passwordStyle_->setCharacter(QString::fromStdString(box_->passwordChar()).toUcs4().value(0));
    // QLineEdit reads the character from its style only when the style is set or changes.
    if (style() != passwordStyle_) {
      setStyle(passwordStyle_);
    } else {
      QEvent changed(QEvent::StyleChange);
      QCoreApplication::sendEvent(this, &changed);
    }
  }
  // QLineEdit resets this attribute whenever read-only or echo mode change, so it is set last.
  setAttribute(Qt::WA_InputMethodEnabled, takesInputMethod());
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

bool TextBoxEdit::takesInputMethod() const {
  if (box_ == nullptr) return false;
  const ui::ImeMode mode = box_->imeMode();
  return mode != ui::ImeMode::Off && mode != ui::ImeMode::Disable && !box_->isLocked() && box_->passwordChar().empty();
}

// The attribute alone does not switch an input method off: QLineEdit answers ImEnabled itself, and an input
// method that is on goes on composing for a field that answers true.
QVariant TextBoxEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return takesInputMethod();
  return QLineEdit::inputMethodQuery(query);
}

// Asked again whenever a field takes the focus, so the input method never goes by the answer of the last one.
void TextBoxEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

// Only the caret and selection the user makes in the field that has the focus (in Qt and in the model) go
// back to the model; Qt's own deselection of a field it is leaving does not.
void TextBoxEdit::copySelectionToModel() {
  if (updating_ || box_ == nullptr || !hasFocus() || !box_->hasFocus()) return;
  ui::Form* form = box_->form();
  const QString shown = text();
  if (form == nullptr || shown != QString::fromStdString(box_->text())) return;
  const int cursor = cursorPosition();
  int anchorUtf16 = cursor;
  if (hasSelectedText()) anchorUtf16 = cursor == selectionStart() ? selectionEnd() : selectionStart();
  const int caret = characterPosition(shown, cursor);
  const int anchor = characterPosition(shown, anchorUtf16);
  if (caret == box_->caretPosition() && anchor == modelAnchor(*box_)) return;
  {
    const QScopedValueRollback<bool> scope(updating_, true);
    ui::TextBox& box = *box_;
    toolkit_.guard(*form, [&] {
      box.moveCaret(anchor, false);
      if (caret != anchor) box.moveCaret(caret, true);
    });
  }
  showModelState();
}

void TextBoxEdit::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
  if (box_ == nullptr || box_->form() == nullptr) return;
  // The preedit (composition) is shown by the line edit but is not part of the model's text; an input
  // method's request to select would move the caret behind the model's back.
  QList<QInputMethodEvent::Attribute> shownAttributes;
  for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
    if (attribute.type != QInputMethodEvent::Selection) shownAttributes.append(attribute);
  }
  QInputMethodEvent preedit(event->preeditString(), shownAttributes);
  {
    const QScopedValueRollback<bool> scope(updating_, true);
    QLineEdit::inputMethodEvent(&preedit);
  }
  // Committed text goes through the field's key-press filter character by character. Should the model have
  // moved on to another field meanwhile, the text belonged to this one and is not put into the other.
  ui::Form& form = *box_->form();
  const QString commit = event->commitString();
  if (!commit.isEmpty() && box_->hasFocus()) toolkit_.guard(form, [&] { form.inputText(commit.toStdString()); });
  // Starting a composition takes the selected text out of the line edit; once it ends, the model shows again.
  if (event->preeditString().isEmpty()) showModelState();
}

void TextBoxEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
}

void TextBoxEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TextBoxEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton || box_ == nullptr || box_->form() == nullptr) return;
  ui::Form& form = *box_->form();
  ui::TextBox& box = *box_;
  toolkit_.guard(form, [&] { form.doubleClick(box); });
}

}  // namespace platform::qt
