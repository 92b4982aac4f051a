#include "link/port_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "link/link_state.h"
#include "link/port_names.h"
#include "ui/accessible_name.h"
#include "ui/twips.h"

namespace serial {

Port::Port(QWidget* parent) : QDialog(parent) {
    ui::setWidgetName(this, "Port");
    setWindowTitle("Commport Selection");
    setAttribute(Qt::WA_DeleteOnClose);

    ports_ = ui::named(new QComboBox(this), "Ports");
    ports_->setEditable(true);
    ports_->setInsertPolicy(QComboBox::NoInsert);
    device_ = ui::named(new QLabel(this), "LblDevice");
    device_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ok_ = ui::named(new QPushButton("OK", this), "CmdOK");
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    auto* com1 = ui::named(new QPushButton("Com1", this), "SSCommand1");
    auto* com2 = ui::named(new QPushButton("Com2", this), "SSCommand2");
    com1->setAutoDefault(false);
    com2->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Port of the meter:"), this), 0, 0);
    layout->addWidget(ports_, 1, 0);
    layout->addWidget(device_, 1, 1);
    layout->addWidget(ok_, 2, 0);
    auto* quick = new QHBoxLayout;
    quick->addWidget(com1);
    quick->addWidget(com2);
    layout->addLayout(quick, 2, 1);

    connect(ok_, &QPushButton::clicked, this, &Port::CmdOK_Click);
    connect(com1, &QPushButton::clicked, this, &Port::SSCommand1_Click);
    connect(com2, &QPushButton::clicked, this, &Port::SSCommand2_Click);
    connect(ports_, &QComboBox::currentTextChanged, this, &Port::updateDeviceHint);
    Form_Load();
}

void Port::Form_Load() {
    move(ui::twipsPoint(3700, 2700, this));
    for (int n = kFirstPort; n <= kLastPort; ++n) ports_->addItem(QStringLiteral("COM%1").arg(n));
    ports_->setCurrentIndex(0);
    updateDeviceHint();
}

void Port::updateDeviceHint() {
    const QString text = ports_->currentText();
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (text == QStringLiteral("COM%1").arg(n)) {
            device_->setText(tr("opens %1").arg(deviceForPort(n)));
            return;
        }
    }
    device_->setText(tr("not a port"));
}

void Port::CmdOK_Click() {
    const QString text = ports_->currentText();
    for (int n = kFirstPort; n <= kLastPort; ++n)
        if (text == QStringLiteral("COM%1").arg(n)) Rs232::State.CommPortNumber = n;
    choose(Rs232::State.CommPortNumber);
}

void Port::SSCommand1_Click() {
    choose(1);
}
void Port::SSCommand2_Click() {
    choose(2);
}

void Port::choose(int number) {
    Rs232::State.CommPortNumber = number;
    hide();
    emit portChosen(number);
    close();
}

}  // namespace serial
