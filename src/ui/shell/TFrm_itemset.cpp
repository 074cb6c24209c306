#include "ui/shell/TFrm_itemset.h"

#include "core/shell/DisplaySettings.h"
#include "ui/widgets/Messages.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QStringList kCounts = {QStringLiteral("20"), QStringLiteral("40"), QStringLiteral("60"),
                             QStringLiteral("80"), QStringLiteral("100")};
}

TFrm_itemset::TFrm_itemset(const QString &programDir, Messages &messages, QWidget *parent)
    : QDialog(parent), m_programDir(programDir), m_messages(messages)
{
    using namespace SettingsKeys;
    setObjectName(QStringLiteral("TFrm_itemset"));
    setWindowTitle(QStringLiteral("选项设置"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *countBox = new QGroupBox(QStringLiteral("默认显示期数"), this);
    auto *countLayout = new QHBoxLayout(countBox);
    drawCountGroup = new QButtonGroup(this);
    for (int i = 0; i < kCounts.size(); ++i) {
        auto *radio = new QRadioButton(kCounts[i], countBox);
        radio->setObjectName(QStringLiteral("radioCount%1").arg(kCounts[i]));
        drawCountGroup->addButton(radio, i);
        countLayout->addWidget(radio);
    }
    layout->addWidget(countBox);

    auto *widthBox = new QGroupBox(QStringLiteral("首页红色球区蓝色球区列宽"), this);
    auto *grid = new QGridLayout(widthBox);
    auto spin = [widthBox](const char *name) {
        auto *s = new QSpinBox(widthBox);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(1, 999);
        s->setValue(16);
        return s;
    };
    redWidth = spin("redWidth");
    blueWidth = spin("blueWidth");
    grid->addWidget(new QLabel(QStringLiteral("红色球区："), widthBox), 0, 0);
    grid->addWidget(redWidth, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("像素"), widthBox), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("蓝色球区："), widthBox), 1, 0);
    grid->addWidget(blueWidth, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("像素"), widthBox), 1, 2);
    layout->addWidget(widthBox);

    auto *buttons = new QHBoxLayout;
    auto *set = new QPushButton(QStringLiteral("设置"), this);
    set->setObjectName(QStringLiteral("btnSet"));
    auto *quit = new QPushButton(QStringLiteral("退出"), this);
    quit->setObjectName(QStringLiteral("btnQuit"));
    buttons->addStretch(1);
    buttons->addWidget(set);
    buttons->addWidget(quit);
    layout->addLayout(buttons);
    connect(set, &QPushButton::clicked, this, &TFrm_itemset::save);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    // Showing: N picks the choice at N div 20 - 1, kept within the five choices.
    const IniFile ini(settingsFilePath(m_programDir));
    const int n = ini.readString(startSection, drawCountKey, QStringLiteral("40")).toInt();
    drawCountGroup->button(std::clamp(n / 20 - 1, 0, int(kCounts.size()) - 1))->setChecked(true);
    bool ok = false;
    const int red = ini.readString(redSection, widthKey, QStringLiteral("16")).toInt(&ok);
    redWidth->setValue(ok ? red : 16);
    const int blue = ini.readString(blueSection, widthKey, QStringLiteral("16")).toInt(&ok);
    blueWidth->setValue(ok ? blue : 16);
}

void TFrm_itemset::save()
{
    using namespace SettingsKeys;
    const IniFile ini(settingsFilePath(m_programDir));
    const int choice = std::max(0, drawCountGroup->checkedId());
    for (const auto &[section, key, value] :
         {std::tuple{redSection, widthKey, redWidth->text()}, std::tuple{blueSection, widthKey, blueWidth->text()},
          std::tuple{startSection, drawCountKey, kCounts[choice]}}) {
        const Outcome o = ini.writeString(section, key, value);
        if (!o.ok()) {
            m_messages.error(this, o.message);
            return;
        }
    }
    m_messages.information(this, QStringLiteral("默认参数设置成功，重新启动程序设置生效！"));
}
