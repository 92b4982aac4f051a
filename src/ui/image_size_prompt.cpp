#include "ui/image_size_prompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "ui/accessible_name.h"

namespace ui {

namespace {

QSpinBox* sideBox(const QString& name, int value, QWidget* parent) {
    auto* box = named(new QSpinBox(parent), name);
    box->setRange(kMinImageSide, kMaxImageSide);
    box->setSuffix(QStringLiteral(" px"));
    box->setValue(value);
    return box;
}

}  // namespace

QSize askImageSize(QWidget* parent, const QString& title, QSize suggested) {
    QDialog dialog(parent);
    setWidgetName(&dialog, QStringLiteral("ImageSize"));
    dialog.setWindowTitle(title);
    auto* width = sideBox(QStringLiteral("TxtImageWidth"), suggested.width(), &dialog);
    auto* height = sideBox(QStringLiteral("TxtImageHeight"), suggested.height(), &dialog);
    auto* buttons =
        named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog),
              QStringLiteral("CmdImageSize"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Width:"), width);
    form->addRow(QStringLiteral("Height:"), height);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return {};
    return {width->value(), height->value()};
}

}  // namespace ui
