#include "app/OptionsPanel.h"

#include <QColorDialog>
#include <QFontDialog>

#include "app/ColorRefQt.h"
#include "app/FieldValue.h"
#include "app/NumberField.h"
#include "app/PanelButton.h"
#include "app/ProfileFontChoice.h"
#include "app/ProfileGroup.h"
#include "app/RadioGroup.h"
#include "app/ReaderCommands.h"
#include "app/SpeedGroup.h"
#include "platform/ScopeExit.h"
#include "platform/ui/ToolbarLook.h"
#include "render/RenderMetrics.h"
#include "settings/ApplySettings.h"

namespace zeb {

namespace {

std::optional<QFont> AskFont(QWidget* parent, const QFont& initial, bool monospaced)
{
    bool ok = false;
    QFontDialog::FontDialogOptions options;
    if (monospaced)
        options |= QFontDialog::MonospacedFonts;
    QFont font = QFontDialog::getFont(&ok, initial, parent, QString(), options);
    return ok ? std::optional(font) : std::nullopt;
}

std::optional<QColor> AskColor(QWidget* parent, const QColor& initial)
{
    QColor colour = QColorDialog::getColor(initial, parent);
    return colour.isValid() ? std::optional(colour) : std::nullopt;
}

}  // namespace

OptionsPanel::OptionsPanel(ZEBOptions& options, bool& busy, QWidget* parent)
    : QWidget(parent),
      options_(options),
      busy_(busy),
      chooseFont_([this](const QFont& initial, bool monospaced) {
          return AskFont(window(), initial, monospaced);
      }),
      chooseColor_([this](const QColor& initial) { return AskColor(window(), initial); })
{
    FillBackground(*this, palette().color(QPalette::Window));
    CreateControls();
    ConnectControls();
    Arrange();
    Refresh(true);
    ShowLook(ProportionalProfile);
    ShowLook(FixedProfile);
}

void OptionsPanel::CreateControls()
{
    speed_ = new SpeedGroup(this);
    groups_[FormattingControl] = new RadioGroup("Text Formating", {"Full", "Full+Hyphen", "Original"}, this);
    groups_[FontWidthControl] = new RadioGroup("Font Width", {"Proportional", "Fixed Width"}, this);
    groups_[AntialiasingControl] = new RadioGroup(
        "Antialiasing", {"None", "2x2 (4 samples)", "3x3 (9 samples)", "4x4 (16 samples)"}, this);
    groups_[ColorControl] = new RadioGroup("Color Resolution", {"True Color", "Indexed Color"}, this);
    groups_[ScrollModeControl] = new RadioGroup("Scroll Mode", {"Hardware", "Software"}, this);
    groups_[MovementControl] = new RadioGroup("Text Movement", {"Scroll", "Jump"}, this);
    profiles_[ProportionalProfile] = new ProfileGroup("Proportional Font", this);
    profiles_[FixedProfile] = new ProfileGroup("Fixed Width Font", this);
    for (auto [control, caption] : {std::pair{DefaultControl, "Default"}, {AboutControl, "About"},
                                    {HelpControl, "?"}}) {
        buttons_[control] = new PanelButton(QString::fromLatin1(caption), this);
    }
}

void OptionsPanel::ConnectControls()
{
    connect(speed_, &SpeedGroup::ModeClicked, this,
            [this](bool constant) { WhenIdle([&] { options_.SetSpeedMode(constant); }); });
    ConnectField(speed_->LinesField(), SpeedRange, [this](int32_t v) { options_.SetLinesPerSecond(v); });
    ConnectField(speed_->CharsField(), SpeedRange, [this](int32_t v) { options_.SetCharsPerSecond(v); });

    const std::pair<PanelControl, std::function<void(int)>> radioActions[] = {
        {FormattingControl, [this](int i) { options_.SetTextFormatting(uint8_t(i)); }},
        {FontWidthControl, [this](int i) { options_.SetFontWidth(i == 0); }},
        {AntialiasingControl, [this](int i) { options_.SetAntialiasing(uint8_t(i)); }},
        {ColorControl, [this](int i) { options_.SetColorResolution(i == 0); }},
        {ScrollModeControl, [this](int i) { options_.SetScrollMode(i == 0); }},
        {MovementControl, [this](int i) { options_.SetTextMovement(i == 0); }},
    };
    for (const auto& [control, action] : radioActions)
        connect(groups_[control], &RadioGroup::Clicked, this,
                [this, action](int index) { WhenIdle([&] { action(index); }); });

    ConnectProfile(ProportionalProfile);
    ConnectProfile(FixedProfile);
    connect(buttons_[DefaultControl], &QPushButton::clicked, this,
            [this] { ApplyDefaultSettings(options_); });
    connect(buttons_[AboutControl], &QPushButton::clicked, this, &OptionsPanel::AboutRequested);
    connect(buttons_[HelpControl], &QPushButton::clicked, this, &OptionsPanel::HelpRequested);
}

void OptionsPanel::ConnectProfile(FontProfileIndex which)
{
    ProfileGroup* group = profiles_[which];
    connect(group->SampleButton(), &QPushButton::clicked, this, [this, which] { ChooseFont(which); });
    connect(group->BackColorButton(), &QPushButton::clicked, this,
            [this, which] { ChooseColor(which, true); });
    connect(group->FontColorButton(), &QPushButton::clicked, this,
            [this, which] { ChooseColor(which, false); });
    ConnectField(group->MarginsField(), PageMarginsRange,
                 [this, which](int32_t v) { options_.SetPageMargins(which, v); });
    ConnectField(group->IntervalField(), LineIntervalRange,
                 [this, which](int32_t v) { options_.SetLineInterval(which, v); });
}

// A number within range sets the field's setting; any other text changes nothing.
void OptionsPanel::ConnectField(NumberField* field, SettingRange range,
                                std::function<void(int32_t)> set)
{
    connect(field, &NumberField::Changed, this, [this, range, set](const QString& text) {
        WhenIdle([&] {
            if (auto value = FieldValue(text.toStdString(), range))
                set(*value);
        });
    });
}

QWidget* OptionsPanel::Control(PanelControl control) const
{
    switch (control) {
    case SpeedControl: return speed_;
    case ProportionalControl: return profiles_[ProportionalProfile];
    case FixedControl: return profiles_[FixedProfile];
    default: return groups_[control] ? static_cast<QWidget*>(groups_[control]) : buttons_[control];
    }
}

RadioGroup* OptionsPanel::Group(PanelControl control) const
{
    return groups_[control];
}

QPushButton* OptionsPanel::Button(PanelControl control) const
{
    return buttons_[control];
}

// Every control at its designed place, grown where its captions need more room.
void OptionsPanel::Arrange()
{
    std::array<PanelSize, PanelControlCount> needed;
    for (int c = 0; c < PanelControlCount; ++c) {
        const QSize size = Control(PanelControl(c))->minimumSizeHint();
        needed[c] = {size.width(), size.height()};
    }
    const PanelLayout layout = ArrangePanel(needed);
    for (int c = 0; c < PanelControlCount; ++c) {
        const PanelRect& r = layout.Places[c];
        Control(PanelControl(c))->setGeometry(r.X, r.Y, r.Width, r.Height);
    }
    designedSize_ = QSize(layout.Size.Width, layout.Size.Height);
}

void OptionsPanel::AttachMenu(ReaderMenu& menu)
{
    menu.Attach(this);
    for (int c = 0; c < PanelControlCount; ++c)
        menu.Attach(Control(PanelControl(c)));
    for (ProfileGroup* group : profiles_)
        for (QPushButton* button : {group->SampleButton(), group->BackColorButton(), group->FontColorButton()})
            menu.Attach(button);
}

void OptionsPanel::WhenIdle(const std::function<void()>& action)
{
    if (busy_)
        return;
    busy_ = true;
    ScopeExit done([&busy = busy_] { busy = false; });  // however the action ends
    action();
}

void OptionsPanel::Refresh(bool writeValues)
{
    const ReaderSettings& s = options_.Settings();
    speed_->ShowMode(s.SpeedMode);
    if (!writeValues)
        return;
    speed_->LinesField()->SetValue(s.LinesPerSecond);
    speed_->CharsField()->SetValue(s.CharsPerSecond);
    for (FontProfileIndex which : {ProportionalProfile, FixedProfile})
        profiles_[which]->ShowValues(s.Profiles[which]);
    groups_[AntialiasingControl]->SetItemIndex(s.Antialiasing);
    groups_[FormattingControl]->SetItemIndex(s.TextFormatting);
    groups_[FontWidthControl]->SetItemIndex(s.FontWidth ? 0 : 1);
    groups_[ColorControl]->SetItemIndex(s.ColorResolution ? 0 : 1);
    groups_[ScrollModeControl]->SetItemIndex(s.ScrollMode ? 0 : 1);
    groups_[MovementControl]->SetItemIndex(s.TextMovement ? 0 : 1);
}

void OptionsPanel::ShowLook(FontProfileIndex which)
{
    profiles_[which]->ShowLook(options_.Profile(which),
                               MetricsFromSettings(options_.Settings()).SupersampleFactor);
}

void OptionsPanel::ChooseFont(FontProfileIndex which)
{
    std::optional<QFont> font = chooseFont_(DialogFont(options_.Profile(which)), which == FixedProfile);
    std::optional<FontProfile> chosen = font ? ChosenFont(*font, options_.Profile(which)) : std::nullopt;
    if (!chosen)
        return;
    options_.BeginUpdate();
    options_.SetFontName(which, chosen->FontName);
    options_.SetCharset(which, chosen->Charset);
    options_.SetFontSize(which, chosen->FontSize);
    options_.SetBold(which, chosen->Bold);
    options_.SetItalic(which, chosen->Italic);
    options_.SetUnderline(which, chosen->Underline);
    options_.SetStrikeOut(which, chosen->StrikeOut);
    options_.EndUpdate();
}

void OptionsPanel::ChooseColor(FontProfileIndex which, bool background)
{
    const FontProfile& profile = options_.Profile(which);
    std::optional<QColor> colour =
        chooseColor_(QColorOf(background ? profile.BackColor : profile.FontColor));
    if (!colour)
        return;
    if (background)
        options_.SetBackColor(which, ColorRefOf(*colour));
    else
        options_.SetFontColor(which, ColorRefOf(*colour));
}

}  // namespace zeb
