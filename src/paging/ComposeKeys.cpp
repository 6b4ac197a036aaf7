#include "paging/ComposeKeys.h"

namespace ComposeKeys {

Verdict senderKey(Key key, const QString &fieldText)
{
    switch (key) {
    case Key::Backspace:
    case Key::Other:
        return Verdict::Pass;
    case Key::Enter:
        return Verdict::LeaveField;
    case Key::Character:
        break;
    }
    return fieldText.trimmed().size() >= SenderMaxLength ? Verdict::Refuse : Verdict::Pass;
}

Verdict memoKey(Key key)
{
    return key == Key::Enter ? Verdict::LeaveField : Verdict::Pass;
}

} // namespace ComposeKeys
