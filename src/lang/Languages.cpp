#include "lang/Languages.h"

#include <algorithm>
#include <array>

namespace {

// clang-format off
constexpr std::array<Language, 4> languages{{
    {u"English", u"From", 0, {u"About", 104, 144, 89}},
    {u"German", u"von", 1, {u"uber", 110, 117, 105}},
    {u"Dutch", u"Van", 2, {u"Over", 105, 143, 89}},
    {u"Italian", u"da", 3, {u"Info", 105, 143, 89}},
}};
// clang-format on

// A left edge or width per language, in the column order of `languages`.
using PerLanguage = std::array<std::optional<int>, 4>;
constexpr PerLanguage None{};

struct PlacementRow {
    QStringView control;
    PerLanguage left;
    PerLanguage width;
};

// Where the longer captions of a language need room. The Italian Button3 is
// two pixels left of its neighbour Button2 on purpose.
// clang-format off
constexpr PlacementRow placementRows[] = {
    {u"chkGroupAll",     None,                   {40, 45, 55, 60}},
    {u"Label3",          {385, 370, 360, 347},   None},
    {u"Button1",         {368, 368, 368, 368},   {85, 85, 90, 90}},
    {u"Button2",         {465, 465, 465, 465},   {85, 110, 123, 123}},
    {u"Button3",         {465, 465, 465, 463},   {85, 110, 123, 123}},
    {u"btnExit",         {96, 100, 125, 125},    {70, 100, 70, 70}},
    {u"btnSend",         {16, 16, 16, 16},       {70, 75, 103, 103}},
    {u"cboRecpt",        {69, 80, 85, 85},       None},
    {u"edtSender",       {50, 50, 70, 70},       None},
    {u"cboPreMsg",       {112, 58, 80, 145},     None},
    {u"btnQuery",        {536, 536, 550, 550},   None},
    {u"StartDatePicker", {114, 114, 127, 127},   None},
    {u"EndDatePicker",   {370, 370, 372, 385},   None},
};
// clang-format on

} // namespace

namespace Languages {

std::span<const Language> all()
{
    return languages;
}

const Language *find(QStringView name)
{
    const auto found =
        std::find_if(languages.begin(), languages.end(),
                     [&](const Language &language) { return language.name == name; });
    return found == languages.end() ? nullptr : &*found;
}

QList<Placement> placements(const Language &language)
{
    QList<Placement> result;
    const auto column = static_cast<std::size_t>(language.column);
    for (const PlacementRow &row : placementRows)
        result.append({row.control, row.left.at(column), row.width.at(column)});
    return result;
}

} // namespace Languages
