#include "ui/WindowDesigns.h"

#include "app/Version.h"

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Navy = qRgb(0, 0, 128);
constexpr QRgb Teal = qRgb(0, 128, 128);
constexpr QRgb Blue = qRgb(0, 0, 255);

// clang-format off
constexpr FontSpec WindowFont{};
constexpr FontSpec Arial8{u"Arial", 8};
constexpr FontSpec Arial9{u"Arial", 9};
constexpr FontSpec Arial10{u"Arial", 10};
constexpr FontSpec Arial10Bold{.family = u"Arial", .pointSize = 10, .bold = true};
constexpr FontSpec Arial12{u"Arial", 12};
constexpr FontSpec Arial12Bold{.family = u"Arial", .pointSize = 12, .bold = true};
constexpr FontSpec CourierNew9{u"Courier New", 9};
constexpr FontSpec CourierNew10{u"Courier New", 10};
constexpr FontSpec CourierNew11{u"Courier New", 11};
constexpr FontSpec CourierNew12Bold{.family = u"Courier New", .pointSize = 12, .bold = true};
constexpr FontSpec TimesNewRoman12Underline{.family = u"Times New Roman", .pointSize = 12, .underline = true};
constexpr FontSpec Tahoma9{u"Tahoma", 9};
constexpr FontSpec Tahoma9Bold{.family = u"Tahoma", .pointSize = 9, .bold = true};
constexpr FontSpec Verdana8{u"Verdana", 8};
// clang-format on

constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

// A visible component: the fields every such row gives, in the table's
// column order. The rest are set by name, e.g. row(...).withMaxLength(12).
constexpr ComponentSpec row(QStringView kind, QStringView name, QStringView parent,
                            QStringView caption, QRect bounds, FontSpec font = WindowFont,
                            Settings settings = {})
{
    ComponentSpec design;
    design.kind = kind;
    design.name = name;
    design.parent = parent;
    design.caption = caption;
    design.bounds = bounds;
    design.font = font;
    design.settings = settings;
    return design;
}

constexpr ComponentSpec nonVisual(QStringView kind, QStringView name)
{
    ComponentSpec design;
    design.kind = kind;
    design.name = name;
    return design;
}

constexpr ComponentSpec timer(QStringView name, Settings settings)
{
    ComponentSpec design = nonVisual(u"TTimer", name);
    design.settings = settings;
    design.interval = 1000;
    return design;
}

constexpr ComponentSpec menuItem(QStringView name, QStringView parent, QStringView caption,
                                 Settings settings = {})
{
    ComponentSpec design = nonVisual(u"TMenuItem", name);
    design.parent = parent;
    design.caption = caption;
    design.settings = settings;
    return design;
}

// clang-format off
constexpr GridColumnSpec reportColumns[] = {
    {.field = u"sender", .title = u"Sender", .width = 116, .cellAlignment = Centred, .titleAlignment = Centred, .titleFont = Arial10Bold},
    {.field = u"recipient", .title = u"Rrecipient", .width = 150, .cellAlignment = Centred, .titleAlignment = Centred, .titleFont = Arial10Bold},
    {.field = u"sendtime", .title = u"Send Time", .width = 195, .cellAlignment = Centred, .titleAlignment = Centred, .cellFont = CourierNew9, .titleFont = Arial10Bold},
    {.field = u"status", .title = u"Status", .width = 110, .cellAlignment = Centred, .titleAlignment = Centred, .titleFont = Arial10Bold},
    {.field = u"message", .title = u"Message", .width = 409, .cellAlignment = Left, .titleAlignment = Centred, .titleFont = Arial10Bold},
};
// clang-format on
constexpr GridSpec reportGrid{.columns = reportColumns};

constexpr int statusPanels[] = {20, 520, 50};

constexpr Settings LanguageItem = Setting::Checkable | Setting::RadioItem;

// clang-format off
constexpr ComponentSpec form1[] = {
    row(u"TPanel", u"panQuery", {}, {}, {0, 0, 700, 577}),
    row(u"TLabel", u"Label9", u"panQuery", u"Stop Date", {289, 21, 71, 18}, Arial12),
    row(u"TLabel", u"Label8", u"panQuery", u"Start Date", {35, 19, 71, 18}, Arial12),
    row(u"TLabel", u"Label4", u"panQuery", u"Message Content", {5, 465, 108, 16}, Arial10Bold),
    row(u"TButton", u"btnQuery", u"panQuery", u"Query", {536, 18, 75, 25}),
    row(u"TDBGrid", u"DBGrid3", u"panQuery", {}, {1, 64, 698, 385}, CourierNew10, Setting::ReadOnly).withGrid(&reportGrid),
    row(u"TDateTimePicker", u"EndDatePicker", u"panQuery", {}, {370, 17, 135, 26}, Arial12),
    row(u"TDateTimePicker", u"StartDatePicker", u"panQuery", {}, {114, 15, 135, 26}, Arial12),
    row(u"TDBMemo", u"DBMemo3", u"panQuery", {}, {1, 483, 698, 93}, CourierNew10, Setting::ReadOnly | Setting::AlignBottom),
    row(u"TPanel", u"panSend", {}, {}, {0, 0, 700, 577}),
    row(u"TPanel", u"Panel3", u"panSend", {}, {1, 51, 698, 525}, WindowFont, Setting::NoFrame | Setting::AlignClient),
    row(u"TGroupBox", u"GroupBox1", u"Panel3", u"Recipient", {11, 8, 670, 240}, Arial12Bold).withTextColor(Navy),
    row(u"TLabel", u"Label5", u"GroupBox1", u"Personal", {11, 31, 56, 16}, Arial10Bold),
    row(u"TLabel", u"Label6", u"GroupBox1", u"Group", {320, 31, 39, 16}, Arial10Bold),
    row(u"TComboBox", u"cboRecpt", u"GroupBox1", {}, {69, 28, 200, 24}, CourierNew10, Setting::Editable).withItemHeight(16),
    row(u"TComboBox", u"cboGroupList", u"GroupBox1", {}, {367, 28, 200, 24}, CourierNew10).withItemHeight(16),
    row(u"TCheckBox", u"chkGroupAll", u"GroupBox1", u"All", {580, 32, 36, 17}, Arial12Bold, Setting::CaptionLeft),
    row(u"TGroupBox", u"GroupBox4", u"GroupBox1", u"Recipient List", {15, 64, 640, 165}, Arial10Bold),
    row(u"TButton", u"Button1", u"GroupBox4", u"DEL", {368, 18, 80, 22}),
    row(u"TButton", u"Button2", u"GroupBox4", u"DEL ALL", {465, 18, 80, 22}),
    row(u"TListBox", u"lstRecpt", u"GroupBox4", {}, {15, 41, 610, 110}, CourierNew10).withItemHeight(16),
    row(u"TGroupBox", u"GroupBox2", u"Panel3", u"Message", {11, 256, 670, 260}, Arial12Bold).withTextColor(Navy),
    row(u"TPanel", u"pnlPreMsg", u"GroupBox2", {}, {8, 21, 649, 80}, WindowFont, Setting::NoFrame),
    row(u"TLabel", u"Label2", u"pnlPreMsg", u"Canned Message", {2, 46, 108, 16}, Arial10Bold),
    row(u"TLabel", u"Label1", u"pnlPreMsg", u"Sender", {2, 10, 46, 16}, Arial10Bold),
    row(u"TComboBox", u"cboPreMsg", u"pnlPreMsg", {}, {112, 42, 428, 24}, CourierNew10).withItemHeight(16),
    row(u"TEdit", u"edtSender", u"pnlPreMsg", {}, {50, 6, 140, 24}, CourierNew10).withMaxLength(12),
    row(u"TGroupBox", u"GroupBox3", u"GroupBox2", u"Message(Max. 256 characters)", {15, 100, 640, 150}, Arial10Bold),
    row(u"TLabel", u"Label3", u"GroupBox3", u"Chars", {385, 18, 36, 16}, Arial10Bold),
    // The counter's hint keeps the language file away from its caption.
    row(u"TLabel", u"lblLength", u"GroupBox3", u"00", {424, 18, 14, 16}, Arial10Bold).withTextColor(White).withBackground(Black).withHint(u"NULL"),
    // The 256-character limit is enforced by the memo's change handler: a
    // plain-text edit has no maximum length of its own.
    row(u"TMemo", u"memMsg", u"GroupBox3", {}, {15, 38, 610, 100}, CourierNew10, Setting::VerticalScrollBar).withMaxLength(256),
    row(u"TButton", u"Button3", u"GroupBox3", u"DEL ALL", {465, 15, 80, 22}),
    row(u"TPanel", u"Panel2", u"panSend", {}, {1, 1, 698, 50}, WindowFont, Setting::NoFrame | Setting::AlignTop),
    row(u"TButton", u"btnSend", u"Panel2", u"Send", {16, 8, 70, 40}, Arial12Bold, Setting::Disabled),
    row(u"TButton", u"btnExit", u"Panel2", u"Exit", {96, 8, 70, 40}, Arial12Bold),
    row(u"TListBox", u"listType", u"Panel2", {}, {489, 8, 121, 40}, Arial8, Setting::Hidden).withTextColor(Navy).withItemHeight(14),
    row(u"TEdit", u"edtNull", {}, {}, {309, 179, 1, 1}, WindowFont, Setting::NoFrame),
    row(u"TStatusBar", u"StatusBar1", {}, {}, {0, 577, 698, 24}, Verdana8).withPanels(statusPanels),
    nonVisual(u"TMainMenu", u"MainMenu1"),
    menuItem(u"Quorvel1", u"MainMenu1", u"Quorvel"),
    menuItem(u"SettSetting1", u"MainMenu1", u"Setting"),
    menuItem(u"View1", u"MainMenu1", u"View"),
    menuItem(u"Query1", u"View1", u"Query"),
    menuItem(u"Tool1", u"MainMenu1", u"Tool"),
    menuItem(u"SelectLanguage1", u"Tool1", u"Select Language"),
    menuItem(u"mnuEnglish", u"SelectLanguage1", u"English", LanguageItem | Setting::Checked),
    menuItem(u"mnuGerman", u"SelectLanguage1", u"German", LanguageItem),
    menuItem(u"mnuDutch", u"SelectLanguage1", u"Dutch", LanguageItem),
    menuItem(u"mnuItalian", u"SelectLanguage1", u"Italian", LanguageItem),
    menuItem(u"EditLanguageFile1", u"Tool1", u"Edit Language File"),
    menuItem(u"Help1", u"MainMenu1", u"Help"),
    menuItem(u"About1", u"Help1", u"About"),
    nonVisual(u"TClientSocket", u"ClientSocket"),
    nonVisual(u"TADOConnection", u"ADOConnection1"),
    nonVisual(u"TADOQuery", u"ADOQuery2"),
    nonVisual(u"TDataSource", u"DataSource1"),
    nonVisual(u"TADOQuery", u"adoQClientID"),
    nonVisual(u"TIdUDPServer", u"IdUDPServer1"),
    nonVisual(u"TADOQuery", u"ADOQuery3"),
    nonVisual(u"TDataSource", u"DataSource2"),
    nonVisual(u"TADOQuery", u"adoQReport"),
    timer(u"Timer1", Setting::Disabled),
    timer(u"Timer2", {}),
    timer(u"TMClose", Setting::Disabled),
};
// clang-format on

// clang-format off
constexpr ComponentSpec aboutBox[] = {
    row(u"TPanel", u"Panel1", {}, {}, {0, 0, 310, 180}, WindowFont, Setting::LoweredFrame),
    row(u"TLabel", u"ProductName", u"Panel1", u"Quorvel Client", {89, 16, 144, 19}, Arial12Bold),
    row(u"TLabel", u"Version", u"Panel1", Version::AboutText, {81, 48, 175, 15}, CourierNew9),
    row(u"TLabel", u"Copyright", u"Panel1", u"Copyright (C) 2014 Quorvel Systems", {29, 96, 252, 16}, Arial10),
    row(u"TLabel", u"lblEmail", u"Panel1", u"info@quorvel.example", {144, 143, 133, 19}, TimesNewRoman12Underline, Setting::HandCursor).withTextColor(Blue),
    row(u"TLabel", u"lblUrl", u"Panel1", u"quorvel.example/client", {104, 119, 145, 19}, TimesNewRoman12Underline, Setting::HandCursor).withTextColor(Blue),
    row(u"TLabel", u"Label2", u"Panel1", u"Homepage : ", {29, 121, 71, 15}, Arial9).withTextColor(Black),
    row(u"TLabel", u"Label1", u"Panel1", u"Email Address(es) : ", {29, 145, 112, 15}, Arial9).withTextColor(Black),
    row(u"TButton", u"OKButton", {}, u"OK", {118, 180, 75, 25}, WindowFont, Setting::DefaultButton),
};
// clang-format on

// clang-format off
constexpr ComponentSpec fmRegSer[] = {
    row(u"TPanel", u"Panel1", {}, {}, {0, 0, 370, 281}, WindowFont, Setting::LoweredFrame),
    row(u"TButton", u"btnRecpt", u"Panel1", u"Version Update", {181, 231, 140, 33}, Arial12Bold, Setting::Disabled),
    row(u"TButton", u"btnReg", u"Panel1", u"Register", {48, 231, 117, 33}, Arial12Bold),
    row(u"TGroupBox", u"GroupBox1", u"Panel1", u"Register Information", {15, 10, 340, 205}, Arial12Bold).withTextColor(Navy),
    row(u"TLabel", u"Label4", u"GroupBox1", u"Server IP", {14, 38, 64, 18}, Arial12),
    row(u"TLabel", u"Label1", u"GroupBox1", u"Server Port", {14, 79, 79, 18}, Arial12),
    row(u"TLabel", u"Label2", u"GroupBox1", u"Client ID", {14, 121, 59, 18}, Arial12),
    row(u"TLabel", u"Label3", u"GroupBox1", u"Client list version :", {14, 163, 125, 18}, Arial12),
    row(u"TLabel", u"lblVer", u"GroupBox1", u"Version", {145, 165, 70, 18}, CourierNew12Bold).withTextColor(Teal),
    row(u"TEdit", u"txtIP", u"GroupBox1", u"192.168.1.100", {99, 34, 160, 25}, CourierNew11, Setting::NotTabStop),
    row(u"TEdit", u"edtPort", u"GroupBox1", u"1024", {99, 75, 160, 25}, CourierNew11, Setting::NotTabStop),
    row(u"TEdit", u"edtClientID", u"GroupBox1", u"Client ID", {99, 117, 160, 25}, CourierNew11, Setting::NotTabStop).withMaxLength(12),
    row(u"TEdit", u"edtNull", u"GroupBox1", {}, {296, 72, 1, 1}, WindowFont, Setting::NoFrame | Setting::ParentColor),
};
// clang-format on

// clang-format off
constexpr GridColumnSpec textColumns[] = {
    {.width = 47},
    {.width = 211},
    {.width = 239},
    {.width = 222},
};
// clang-format on
constexpr GridSpec textGrid{
    .columns = textColumns, .fixedColumns = 3, .rowCount = 50, .rowHeight = 20};

// clang-format off
constexpr ComponentSpec frmLang[] = {
    row(u"TStringGrid", u"StringGrid1", {}, {}, {10, 41, 742, 405}, Tahoma9).withGrid(&textGrid),
    row(u"TPanel", u"Panel1", {}, {}, {16, 1, 729, 35}, WindowFont, Setting::LoweredFrame),
    row(u"TButton", u"btnLoad", u"Panel1", u"Load", {8, 5, 85, 24}, Tahoma9Bold),
    row(u"TButton", u"btnApply", u"Panel1", u"Apply", {448, 5, 90, 24}, Tahoma9Bold),
    row(u"TButton", u"btnSave", u"Panel1", u"Save as", {568, 5, 128, 24}, Tahoma9Bold),
    row(u"TButton", u"btnLoadDef", u"Panel1", u"Load Default", {120, 5, 137, 24}, Tahoma9Bold),
    nonVisual(u"TSaveDialog", u"SaveDialog1"),
    nonVisual(u"TOpenDialog", u"OpenDialog1"),
};
// clang-format on

} // namespace

namespace WindowDesigns {

std::span<const ComponentSpec> Form1()
{
    return form1;
}
std::span<const ComponentSpec> AboutBox()
{
    return aboutBox;
}
std::span<const ComponentSpec> fmRegSer()
{
    return ::fmRegSer;
}
std::span<const ComponentSpec> frmLang()
{
    return ::frmLang;
}

} // namespace WindowDesigns
