#include "ui/CaptionWalk.h"

#include "lang/LangFile.h"
#include "ui/AutoSizeLabel.h"
#include "ui/ComponentInventory.h"
#include "ui/DataGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <functional>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

// Given a key and the text it stands for, returns the new text, or nothing
// to leave the text alone.
using CaptionVisitor =
    std::function<std::optional<QString>(const QString &key, const QString &current)>;

template <typename Setter> void replaceText(const std::optional<QString> &text, Setter set)
{
    if (text)
        set(*text);
}

// Kinds whose caption stays as it is when the hint says "NULL".
bool honoursNullHint(const QString &kind)
{
    return kind != u"TButton"_s && kind != u"TBitBtn"_s && kind != u"TRadioButton"_s &&
           kind != u"TDBGrid"_s;
}

void visitComboItems(QComboBox &combo, const QString &key, const CaptionVisitor &visit)
{
    for (int j = 0; j < combo.count(); ++j)
        replaceText(visit(key + u"Item"_s + QString::number(j), combo.itemText(j)),
                    [&](const QString &text) { combo.setItemText(j, text); });
}

void visitGridTitles(DataGrid &grid, const QString &key, const CaptionVisitor &visit)
{
    for (int k = 0; k < grid.columnCount(); ++k)
        replaceText(visit(key + u"Column"_s + QString::number(k), grid.columnTitle(k)),
                    [&](const QString &text) { grid.setColumnTitle(k, text); });
}

// Visits the texts of one component; kinds are matched exactly, as named.
void visitComponent(const Component &component, const QString &key, const CaptionVisitor &visit)
{
    QObject *object = component.object.data();
    const QString &kind = component.kind;
    if (kind == u"TLabel"_s || kind == u"TStaticText"_s) {
        if (auto *autoSized = qobject_cast<AutoSizeLabel *>(object))
            replaceText(visit(key, autoSized->text()),
                        [&](const QString &text) { autoSized->setCaption(text); });
        else if (auto *label = qobject_cast<QLabel *>(object))
            replaceText(visit(key, label->text()),
                        [&](const QString &text) { label->setText(text); });
    } else if (kind == u"TButton"_s || kind == u"TBitBtn"_s || kind == u"TCheckBox"_s ||
               kind == u"TRadioButton"_s) {
        if (auto *button = qobject_cast<QAbstractButton *>(object))
            replaceText(visit(key, button->text()),
                        [&](const QString &text) { button->setText(text); });
    } else if (kind == u"TMenuItem"_s) {
        if (auto *action = qobject_cast<QAction *>(object))
            replaceText(visit(key, action->text()),
                        [&](const QString &text) { action->setText(text); });
    } else if (kind == u"TGroupBox"_s) {
        if (auto *group = qobject_cast<QGroupBox *>(object))
            replaceText(visit(key, group->title()),
                        [&](const QString &text) { group->setTitle(text); });
    } else if (kind == u"TForm"_s) {
        if (auto *form = qobject_cast<QWidget *>(object))
            replaceText(visit(key, form->windowTitle()),
                        [&](const QString &text) { form->setWindowTitle(text); });
    } else if (kind == u"TComboBox"_s) {
        if (auto *combo = qobject_cast<QComboBox *>(object))
            visitComboItems(*combo, key, visit);
    } else if (kind == u"TDBGrid"_s) {
        if (auto *grid = qobject_cast<DataGrid *>(object))
            visitGridTitles(*grid, key, visit);
    }
}

void walkCaptions(const ComponentInventory &inventory, const QString &owner,
                  const CaptionVisitor &visit)
{
    for (const Component &component : inventory.components()) {
        if (honoursNullHint(component.kind) && component.hint.contains(u"NULL"_s))
            continue;
        visitComponent(component, owner + u'_' + component.name, visit);
    }
}

} // namespace

void ApplyCaptions(const ComponentInventory &inventory, const QString &owner, const LangFile &file,
                   const QString &language)
{
    walkCaptions(inventory, owner,
                 [&](const QString &key, const QString &current) -> std::optional<QString> {
                     return file.ReadLangValue(language, key, current);
                 });
}

QStringList captionKeys(const ComponentInventory &inventory, const QString &owner)
{
    QStringList keys;
    walkCaptions(inventory, owner, [&](const QString &key, const QString &) {
        keys.append(key);
        return std::optional<QString>();
    });
    return keys;
}
