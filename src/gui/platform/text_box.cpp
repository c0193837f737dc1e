#include "platform/text_box.h"

#include <limits>

namespace platform {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // A box holds whatever is typed or written into it, however long.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change, Qt::DirectConnection);
}

}  // namespace platform
