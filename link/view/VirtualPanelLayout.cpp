// The arrangement of the virtual front panel: the screen with the model's
// captions above it and the soft keys beside it, then the knobs and key
// groups in the order of the instrument's own panel.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "link/view/ShapeKeepingBox.h"
#include "link/view/LCDCtrl.h"
#include "link/view/PanelIcons.h"
#include "link/view/PanelKeyButton.h"
#include "link/view/PanelKnob.h"
#include "link/view/VirtualPanel.h"
#include "veltro/EllipseButton.h"

#include <algorithm>

namespace {
constexpr QSize kRoundKeySize(40, 40);
constexpr QSize kArrowKeySize(40, 26);
constexpr int kSoftKeyHeight = 52;

QLabel* Caption(const QString& text, int pointDelta = 0)
{
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    if (pointDelta != 0) {
        QFont font = label->font();
        font.setPointSize(std::max(6, font.pointSize() + pointDelta));
        font.setBold(pointDelta > 0);
        label->setFont(font);
    }
    return label;
}

// A key's tooltip is its caption on one line, or the description given for
// a key that shows an arrow or nothing.
QString KeyTip(const QString& caption, const QString& tip)
{
    return tip.isEmpty() ? QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')) : tip;
}

QGroupBox* Group(const QString& title)
{
    auto* box = new QGroupBox(title);
    box->setAlignment(Qt::AlignHCenter);
    return box;
}
}  // namespace

QAbstractButton* CVirtualPanel::AddKey(int id, const QString& caption, const QString& tip)
{
    auto* key = new CPanelKeyButton(caption);
    key->setObjectName(QString::number(id));
    key->setToolTip(KeyTip(caption, tip));
    connect(key, &QAbstractButton::clicked, this, [this, id] { OnButtonCommand(id); });
    m_buttons[id] = key;
    if (std::find(kHeldKeys.begin(), kHeldKeys.end(), id) != kHeldKeys.end())
        key->installEventFilter(this);
    return key;
}

QAbstractButton* CVirtualPanel::AddArrowKey(int id, int arrow, const QString& tip)
{
    QAbstractButton* key = AddKey(id, QString(), tip);
    key->setIcon(PanelArrowIcon(static_cast<PanelArrow>(arrow)));
    key->setIconSize(QSize(16, 16));
    key->setFixedSize(kArrowKeySize);
    return key;
}

QAbstractButton* CVirtualPanel::AddRoundKey(int id, const QString& caption, const QString& tip)
{
    auto* key = new CEllipseButton(caption);
    key->setObjectName(QString::number(id));
    key->setToolTip(KeyTip(caption, tip));
    key->setFixedSize(kRoundKeySize);
    connect(key, &QAbstractButton::clicked, this, [this, id] { OnButtonCommand(id); });
    m_buttons[id] = key;
    return key;
}

void CVirtualPanel::AddKnob(int knobId, int lowerId, int higherId, int axis)
{
    auto* knob = new CPanelKnob(Button(knobId), lowerId, higherId, static_cast<CPanelKnob::Axis>(axis),
                                [this](int id) { OnButtonCommand(id); });
    knob->WatchWheel(Button(lowerId));
    knob->WatchWheel(Button(higherId));
}

void CVirtualPanel::BuildLayout()
{
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(BuildMenuBar());

    auto* captions = new QHBoxLayout;
    m_modelCaption = Caption(QString(), 3);
    m_bandwidthCaption = Caption(QString(), 1);
    m_sampleRateCaption = Caption(QString(), 1);
    captions->addWidget(m_modelCaption);
    captions->addStretch(1);
    captions->addWidget(m_bandwidthCaption);
    captions->addSpacing(24);
    captions->addWidget(m_sampleRateCaption);

    auto* screenColumn = new QVBoxLayout;
    screenColumn->addLayout(captions);
    m_lcd = new CLCDCtrl;
    screenColumn->addWidget(new CShapeKeepingBox(m_lcd, QSize(kScreenWidth, kScreenHeight)), 1);
    auto* printRow = new QHBoxLayout;
    auto* print = new CPanelKeyButton(tr("Print"));
    print->setObjectName(QString::number(kIdPrintButton));
    connect(print, &QAbstractButton::clicked, m_lcd, [this] { m_lcd->PrintWithCaptions(); });
    m_buttons[kIdPrintButton] = print;
    printRow->addStretch(1);
    printRow->addWidget(print);
    screenColumn->addLayout(printRow);

    auto* general = new QVBoxLayout;
    general->addWidget(BuildMultipurposeKnob());
    general->addWidget(BuildMenuKeys());
    general->addWidget(BuildControlKeys());
    general->addStretch(1);

    auto* upper = new QHBoxLayout;
    upper->addLayout(screenColumn, 1);
    upper->addWidget(BuildSoftKeys());
    upper->addLayout(general);

    auto* lower = new QHBoxLayout;
    lower->addWidget(BuildVerticalKeys(), 2);
    lower->addWidget(BuildHorizontalKeys(), 1);
    lower->addWidget(BuildTriggerKeys(), 1);

    outer->addLayout(upper, 1);
    outer->addLayout(lower);
    FitToScreen();
}

// A first size that shows the screen at half its pixels where the desktop has
// room for it (a dialog would otherwise start at two thirds of the desktop).
void CVirtualPanel::FitToScreen()
{
    QSize size = sizeHint();
    if (const QScreen* desktop = screen())
        size = size.boundedTo(desktop->availableSize());
    resize(size);
}

QWidget* CVirtualPanel::BuildMenuBar()
{
    auto* bar = new QMenuBar;
    QMenu* screen = bar->addMenu(tr("&Screen"));
    screen->addAction(tr("&Start"), this, &CVirtualPanel::StartCommand);
    screen->addAction(tr("S&top"), this, &CVirtualPanel::StopCommand);
    screen->addSeparator();
    QAction* normal = screen->addAction(tr("&Normal Size"), this, [this] { m_lcd->SetDisplayMode(LCD_MODE_NORMAL); });
    QAction* enlarged =
        screen->addAction(tr("&Enlarged"), this, [this] { m_lcd->SetDisplayMode(LCD_MODE_ENLARGED); });
    auto* modes = new QActionGroup(screen);
    for (QAction* mode : {normal, enlarged}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    (CLCDCtrl::DisplayMode() == LCD_MODE_NORMAL ? normal : enlarged)->setChecked(true);
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(tr("&Export Bitmap..."), this, [this] { m_lcd->ExportCommand(); });
    file->addAction(tr("&Print..."), this, [this] { m_lcd->Print(); });
    file->addAction(tr("Print Pre&view..."), this, [this] { m_lcd->PrintPreview(); });
    return bar;
}

// The keys beside the screen: menu on/off, the five menu item keys and the
// two spare function keys.
QGroupBox* CVirtualPanel::BuildSoftKeys()
{
    auto* box = new QGroupBox;
    box->setMaximumWidth(96);
    auto* column = new QVBoxLayout(box);
    column->addWidget(AddKey(1039, tr("MENU\nON/OFF")));
    column->addSpacing(8);
    for (int id : {1013, 1014, 1015, 1016, 1017}) {
        QAbstractButton* key = AddKey(id, QString(), tr("Menu item %1").arg(id - 1012));
        key->setFixedHeight(kSoftKeyHeight);
        column->addWidget(key);
    }
    column->addSpacing(8);
    column->addWidget(AddKey(1075, tr("F6")));
    column->addWidget(AddKey(1094, tr("F7")));
    column->addStretch(1);
    return box;
}

QGroupBox* CVirtualPanel::BuildMultipurposeKnob()
{
    QGroupBox* box = Group(tr("Multipurpose"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(AddArrowKey(1072, static_cast<int>(PanelArrow::Left), tr("Multipurpose knob: left")), 0, 0);
    grid->addWidget(AddRoundKey(1074, QString(), tr("Multipurpose knob: push")), 0, 1, Qt::AlignCenter);
    grid->addWidget(AddArrowKey(1073, static_cast<int>(PanelArrow::Right), tr("Multipurpose knob: right")), 0, 2);
    grid->addWidget(AddArrowKey(1077, static_cast<int>(PanelArrow::TurnLeft), tr("Multipurpose knob: turn left")),
                    1, 0);
    grid->addWidget(AddArrowKey(1076, static_cast<int>(PanelArrow::TurnRight), tr("Multipurpose knob: turn right")),
                    1, 2);
    AddKnob(1074, 1077, 1076, static_cast<int>(CPanelKnob::Axis::Both));
    return box;
}

QGroupBox* CVirtualPanel::BuildMenuKeys()
{
    QGroupBox* box = Group(tr("Menu"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(AddKey(1018, tr("SAVE/RECALL")), 0, 0);
    grid->addWidget(AddKey(1019, tr("UTILITY")), 0, 1);
    grid->addWidget(AddKey(1020, tr("MEASURE")), 0, 2);
    grid->addWidget(AddKey(1021, tr("CURSOR")), 1, 0);
    grid->addWidget(AddKey(1022, tr("ACQUIRE")), 1, 1);
    grid->addWidget(AddKey(1023, tr("DISPLAY")), 1, 2);
    return box;
}

QGroupBox* CVirtualPanel::BuildControlKeys()
{
    QGroupBox* box = Group(tr("Control"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(AddKey(1024, tr("HELP")), 0, 0);
    grid->addWidget(AddKey(1025, tr("DEFAULT SETUP")), 0, 1);
    grid->addWidget(AddKey(1093, tr("STATUS")), 0, 2);
    grid->addWidget(AddKey(1026, tr("AUTOSET")), 1, 0);
    grid->addWidget(AddKey(1027, tr("SINGLE SEQ")), 1, 1);
    grid->addWidget(AddKey(1028, tr("RUN/STOP")), 1, 2);
    return box;
}

// One column per channel: position knob (up, push, down), the channel's
// menu key and the volts/div keys; the math key between the two.
QGroupBox* CVirtualPanel::BuildVerticalKeys()
{
    QGroupBox* box = Group(tr("Vertical"));
    auto* grid = new QGridLayout(box);
    struct Channel {
        int up, zero, down, menu, coarser, finer, column;
        QString name;
    };
    const Channel channels[] = {
        {1051, 1052, 1053, 1029, 1058, 1059, 0, tr("CH1")},
        {1054, 1066, 1055, 1031, 1060, 1061, 2, tr("CH2")},
    };
    for (const Channel& ch : channels) {
        grid->addWidget(Caption(tr("POSITION"), -1), 0, ch.column, Qt::AlignCenter);
        grid->addWidget(AddArrowKey(ch.up, static_cast<int>(PanelArrow::Up), tr("%1 position: up").arg(ch.name)), 1,
                        ch.column, Qt::AlignCenter);
        grid->addWidget(AddRoundKey(ch.zero, QString(), tr("%1 position: push (to zero)").arg(ch.name)), 2,
                        ch.column, Qt::AlignCenter);
        grid->addWidget(AddArrowKey(ch.down, static_cast<int>(PanelArrow::Down), tr("%1 position: down").arg(ch.name)),
                        3, ch.column, Qt::AlignCenter);
        AddKnob(ch.zero, ch.down, ch.up, static_cast<int>(CPanelKnob::Axis::Vertical));
        grid->addWidget(AddKey(ch.menu, ch.name + tr(" MENU")), 4, ch.column);
        grid->addWidget(Caption(tr("VOLTS/DIV"), -1), 5, ch.column, Qt::AlignCenter);
        auto* volts = new QHBoxLayout;
        volts->addWidget(AddKey(ch.coarser, tr("+"), tr("%1 volts/div: larger").arg(ch.name)));
        volts->addWidget(AddKey(ch.finer, tr("-"), tr("%1 volts/div: smaller").arg(ch.name)));
        grid->addLayout(volts, 6, ch.column);
    }
    grid->addWidget(AddKey(1030, tr("MATH MENU")), 4, 1);
    return box;
}

QGroupBox* CVirtualPanel::BuildHorizontalKeys()
{
    QGroupBox* box = Group(tr("Horizontal"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(Caption(tr("POSITION"), -1), 0, 0, 1, 3);
    grid->addWidget(AddArrowKey(1064, static_cast<int>(PanelArrow::Left), tr("Horizontal position: left")), 1, 0);
    grid->addWidget(AddRoundKey(1067, QString(), tr("Horizontal position: push (to zero)")), 1, 1, Qt::AlignCenter);
    grid->addWidget(AddArrowKey(1065, static_cast<int>(PanelArrow::Right), tr("Horizontal position: right")), 1, 2);
    AddKnob(1067, 1064, 1065, static_cast<int>(CPanelKnob::Axis::Horizontal));
    grid->addWidget(AddKey(1032, tr("HORIZ MENU")), 2, 0, 1, 3);
    grid->addWidget(Caption(tr("SEC/DIV"), -1), 3, 0, 1, 3);
    grid->addWidget(AddKey(1062, tr("+"), tr("SEC/DIV: larger")), 4, 0);
    grid->addWidget(AddKey(1063, tr("-"), tr("SEC/DIV: smaller")), 4, 2);
    return box;
}

QGroupBox* CVirtualPanel::BuildTriggerKeys()
{
    QGroupBox* box = Group(tr("Trigger"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(Caption(tr("LEVEL"), -1), 0, 0, Qt::AlignCenter);
    grid->addWidget(AddArrowKey(1056, static_cast<int>(PanelArrow::Up), tr("Trigger level: up")), 1, 0,
                    Qt::AlignCenter);
    grid->addWidget(AddRoundKey(1071, QString(), tr("Trigger level: push (to zero)")), 2, 0, Qt::AlignCenter);
    grid->addWidget(AddArrowKey(1057, static_cast<int>(PanelArrow::Down), tr("Trigger level: down")), 3, 0,
                    Qt::AlignCenter);
    AddKnob(1071, 1057, 1056, static_cast<int>(CPanelKnob::Axis::Vertical));
    grid->addWidget(AddKey(1034, tr("TRIG MENU")), 0, 1);
    grid->addWidget(AddKey(1035, tr("SET TO 50%")), 1, 1);
    grid->addWidget(AddKey(1036, tr("FORCE TRIG")), 2, 1);
    grid->addWidget(AddKey(1049, tr("PROBE CHECK")), 3, 1);
    return box;
}
