#include "app/Tuckaway.h"

namespace tuckaway {

void Tuckaway::HotkeyFieldKeyDown(ui::HotkeyField field, unsigned keyCode, unsigned shift) {
    switch (field) {
    case ui::HotkeyField::Text1:
        form1.Text1_KeyDown(keyCode, shift);
        break;
    case ui::HotkeyField::Text2:
        form1.Text2_KeyDown(keyCode, shift);
        break;
    case ui::HotkeyField::Text3:
        form1.Text3_KeyDown(keyCode, shift);
        break;
    case ui::HotkeyField::Text4:
        form1.Text4_KeyDown(keyCode, shift);
        break;
    }
}

} // namespace tuckaway
