#include "link/port_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>

#include "link/port_failure.h"
#include "link/port_names.h"
#include "ui/accessible_name.h"
#include "ui/twips.h"

namespace serial {
namespace {

constexpr int kRefreshMs = 1500;
constexpr int kFirstListingDelayMs = 50;
constexpr int kComEntries = kLastPort - kFirstPort + 1;
// Item data: the device a listed entry opens, and the hint shown beside an entry in the list.
constexpr int kDeviceRole = Qt::UserRole;
constexpr int kHintRole = Qt::UserRole + 1;

QString comText(int number) {
    return QStringLiteral("COM%1").arg(number);
}

// The drop-down list shows each entry's hint after its text; the box itself shows the text only.
class HintDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString hint = index.data(kHintRole).toString();
        if (!hint.isEmpty()) option->text += QStringLiteral("    ") + hint;
    }
};

bool isComDevice(const ComPorts& comPorts, const QString& device) {
    const QString path = QFileInfo(device).canonicalFilePath();
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const QString com = comPorts.device(n);
        if (device == com || (!path.isEmpty() && path == QFileInfo(com).canonicalFilePath()))
            return true;
    }
    return false;
}

}  // namespace

Port::Port(QWidget* parent, std::shared_ptr<const PortLister> lister)
    : QDialog(parent), lister_(lister ? std::move(lister) : std::make_shared<SystemPortLister>()) {
    ui::setWidgetName(this, "Port");
    setWindowTitle("Commport Selection");
    setAttribute(Qt::WA_DeleteOnClose);

    ports_ = ui::named(new QComboBox(this), "Ports");
    ports_->setEditable(true);
    ports_->setInsertPolicy(QComboBox::NoInsert);
    ports_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ports_->setMinimumContentsLength(32);
    ports_->setItemDelegate(new HintDelegate(ports_));
    device_ = ui::named(new QLabel(this), "LblDevice");
    device_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ok_ = ui::named(new QPushButton("OK", this), "CmdOK");
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    auto* cancel = ui::named(new QPushButton(tr("Cancel"), this), "CmdCancel");
    auto* com1 = ui::named(new QPushButton("Com1", this), "SSCommand1");
    auto* com2 = ui::named(new QPushButton("Com2", this), "SSCommand2");
    for (QPushButton* b : {cancel, com1, com2}) b->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Port of the meter:"), this), 0, 0, 1, 2);
    layout->addWidget(ports_, 1, 0, 1, 2);
    layout->addWidget(device_, 2, 0, 1, 2);
    auto* answer = new QHBoxLayout;
    answer->addWidget(ok_);
    answer->addWidget(cancel);
    layout->addLayout(answer, 3, 0);
    auto* quick = new QHBoxLayout;
    quick->addStretch();
    quick->addWidget(com1);
    quick->addWidget(com2);
    layout->addLayout(quick, 3, 1);

    refresh_ = new QTimer(this);
    refresh_->setInterval(kRefreshMs);
    connect(refresh_, &QTimer::timeout, this, &Port::refreshPorts);
    connect(ok_, &QPushButton::clicked, this, &Port::CmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(com1, &QPushButton::clicked, this, &Port::SSCommand1_Click);
    connect(com2, &QPushButton::clicked, this, &Port::SSCommand2_Click);
    connect(ports_, &QComboBox::currentTextChanged, this, &Port::updateDeviceHint);
    Form_Load();
}

Port::~Port() = default;

void Port::Form_Load() {
    move(ui::twipsPoint(3700, 2700, this));
    for (int n = kFirstPort; n <= kLastPort; ++n) ports_->addItem(comText(n));
    ports_->setCurrentIndex(0);
    updateComHints();
    updateDeviceHint();
    // The system takes some 15 ms to list its ports: that is done once the window is on screen.
    refresh_->start();
}

void Port::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (firstListingAsked_) return;
    firstListingAsked_ = true;
    // A moment later, so that the window system has shown what was painted.
    QTimer::singleShot(kFirstListingDelayMs, this, &Port::refreshPorts);
}

void Port::refreshPorts() {
    updateComHints();
    QList<PortInfo> found;
    for (const PortInfo& port : lister_->ports())
        if (!isComDevice(lister_->comPorts(), port.device)) found.append(port);
    // The open drop-down list is not pulled from under the user's pointer; the next round lists.
    if (found != listed_ && !ports_->view()->isVisible()) listPorts(found);
    updateDeviceHint();
    watchStableNames();
}

void Port::updateComHints() {
    for (int n = kFirstPort; n <= kLastPort; ++n)
        ports_->setItemData(n - kFirstPort, deviceHint(lister_->comPorts().device(n)), kHintRole);
}

void Port::listPorts(const QList<PortInfo>& ports) {
    const int index = ports_->currentIndex();
    const QString text = ports_->currentText();
    const bool listedChosen = index >= kComEntries && text == ports_->itemText(index);
    const QString chosenDevice =
        listedChosen ? ports_->itemData(index, kDeviceRole).toString() : QString();
    {
        const QSignalBlocker quiet(ports_);
        while (ports_->count() > kComEntries) ports_->removeItem(kComEntries);
        for (const PortInfo& port : ports) {
            ports_->addItem(portEntryText(port), port.openName());
            // Only trouble is worth a hint: the entry already names its device.
            ports_->setItemData(ports_->count() - 1, deviceProblem(port.openName()), kHintRole);
        }
        listed_ = ports;
        if (listedChosen) {
            const int again = ports_->findData(chosenDevice, kDeviceRole);
            // A chosen port that went away stays chosen by its name: OK then says what is wrong.
            if (again >= 0)
                ports_->setCurrentIndex(again);
            else
                ports_->setEditText(chosenDevice);
        } else if (const int named = ports_->findData(text, kDeviceRole); named >= kComEntries) {
            // The name in the box (a port that came back, a choice offered again) is listed now.
            ports_->setCurrentIndex(named);
        } else {
            if (index >= 0 && index < kComEntries) ports_->setCurrentIndex(index);
            ports_->setEditText(text);
        }
    }
    ports_->view()->setMinimumWidth(ports_->view()->sizeHintForColumn(0));
}

void Port::watchStableNames() {
    const QString folder = lister_->stableNameFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &Port::refreshPorts);
    }
    if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
}

void Port::updateDeviceHint() {
    const QString text = ports_->currentText();
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (text == comText(n)) {
            device_->setText(ports_->itemData(n - kFirstPort, kHintRole).toString());
            return;
        }
    }
    const int listed = ports_->findText(text, Qt::MatchExactly);
    if (listed >= kComEntries) {
        device_->setText(deviceHint(ports_->itemData(listed, kDeviceRole).toString()));
        return;
    }
    // A typed path is not opened to find out: it could be any file, opened on every keystroke.
    // Whether it exists is safe to look up (a chosen port that went away, a typing error).
    const QString path = text.trimmed();
    if (path.isEmpty())
        device_->setText(tr("not a port"));
    else if (path.contains('/') && !QFileInfo::exists(path))
        device_->setText(QStringLiteral("%1 %2").arg(path, tr("(no such device)")));
    else
        device_->setText(tr("opens %1").arg(path));
}

void Port::preselect(const QString& choice) {
    int index = ports_->findText(choice, Qt::MatchExactly);
    if (index < 0) index = ports_->findData(choice, kDeviceRole);
    if (index >= 0)
        ports_->setCurrentIndex(index);
    else
        ports_->setEditText(choice);
    // The COM port chosen last is also what an emptied box takes.
    for (int n = kFirstPort; n <= kLastPort; ++n)
        if (choice == comText(n)) CommPortNumber = n;
}

void Port::CmdOK_Click() {
    const QString text = ports_->currentText();
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (text == comText(n)) {
            CommPortNumber = n;
            choose(n);
            return;
        }
    }
    const int listed = ports_->findText(text, Qt::MatchExactly);
    if (listed >= kComEntries) {
        chooseDevice(ports_->itemData(listed, kDeviceRole).toString());
        return;
    }
    // Any other text is a path to open; an empty box leaves the number as it was.
    if (!text.trimmed().isEmpty()) {
        chooseDevice(text.trimmed());
        return;
    }
    choose(CommPortNumber);
}

void Port::SSCommand1_Click() {
    choose(1);
}
void Port::SSCommand2_Click() {
    choose(2);
}

void Port::choose(int number) {
    CommPortNumber = number;
    refresh_->stop();
    hide();
    emit portChosen(number);
    close();
}

void Port::chooseDevice(const QString& device) {
    refresh_->stop();
    hide();
    emit deviceChosen(device);
    close();
}

}  // namespace serial
