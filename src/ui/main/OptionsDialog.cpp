#include "ui/main/OptionsDialog.h"

#include "core/settings/DisplaySettings.h"
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

OptionsDialog::OptionsDialog(const QString &programDir, Messages &messages, QWidget *parent)
    : QDialog(parent), m_programDir(programDir), m_messages(messages)
{
    using namespace SettingsKeys;
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("选项设置"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *countBox = new QGroupBox(QStringLiteral("默认显示期数"), this);
    auto *countLayout = new QHBoxLayout(countBox);
    m_drawCountGroup = new QButtonGroup(this);
    m_drawCountGroup->setObjectName(QStringLiteral("drawCountGroup"));
    for (int i = 0; i < kCounts.size(); ++i) {
        auto *radio = new QRadioButton(kCounts[i], countBox);
        radio->setObjectName(QStringLiteral("radioCount%1").arg(kCounts[i]));
        m_drawCountGroup->addButton(radio, i);
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
    m_redWidth = spin("redWidthBox");
    m_blueWidth = spin("blueWidthBox");
    // Each caption is its spin box's buddy, so a screen reader names the box by it.
    const struct { QString caption; QSpinBox *box; } rows[] = {{QStringLiteral("红色球区："), m_redWidth},
                                                              {QStringLiteral("蓝色球区："), m_blueWidth}};
    for (int row = 0; row < 2; ++row) {
        auto *caption = new QLabel(rows[row].caption, widthBox);
        caption->setBuddy(rows[row].box);
        grid->addWidget(caption, row, 0);
        grid->addWidget(rows[row].box, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("像素"), widthBox), row, 2);
    }
    layout->addWidget(widthBox);

    auto *buttons = new QHBoxLayout;
    auto *saveButton = new QPushButton(QStringLiteral("设置"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    auto *quitButton = new QPushButton(QStringLiteral("退出"), this);
    quitButton->setObjectName(QStringLiteral("quitButton"));
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(quitButton);
    layout->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, &OptionsDialog::save);
    connect(quitButton, &QPushButton::clicked, this, &QDialog::reject);

    // Showing: N picks the choice at N div 20 - 1, kept within the five choices. A value
    // that is not a whole number shows its default, as the main window reads it at start.
    const DisplaySettings settings = readDisplaySettings(m_programDir);
    m_drawCountGroup->button(std::clamp(settings.drawCount / 20 - 1, 0, int(kCounts.size()) - 1))->setChecked(true);
    m_redWidth->setValue(settings.redWidth);
    m_blueWidth->setValue(settings.blueWidth);
}

void OptionsDialog::save()
{
    using namespace SettingsKeys;
    const IniFile ini(settingsFilePath(m_programDir));
    const int choice = std::max(0, m_drawCountGroup->checkedId());
    for (const auto &[section, key, value] :
         {std::tuple{redSection, widthKey, m_redWidth->text()}, std::tuple{blueSection, widthKey, m_blueWidth->text()},
          std::tuple{startSection, drawCountKey, kCounts[choice]}}) {
        const Outcome o = ini.writeString(section, key, value);
        if (!m_messages.show(this, o))
            return;
    }
    m_messages.information(this, QStringLiteral("默认参数设置成功，重新启动程序设置生效！"));
}
