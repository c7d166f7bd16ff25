#include "framework/FormDesign.h"

namespace mnt4820 {

std::unique_ptr<platform::ui::Form> createDesignedForm(platform::ui::Application& application, const char* name,
                                                       const char* caption, const platform::ui::Font& font,
                                                       int widthTwips, int heightTwips) {
  auto form = std::make_unique<platform::ui::Form>(application, name);
  form->setCaption(caption);
  form->setFont(font);
  form->move(0, 0, widthTwips, heightTwips);
  form->setKeyPreview(true);
  return form;
}

}  // namespace mnt4820
