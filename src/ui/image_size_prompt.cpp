#include "ui/image_size_prompt.h"

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

ImageSizeDialog::ImageSizeDialog(QWidget* parent, const QString& title, QSize suggested)
    : QDialog(parent),
      width_(sideBox(QStringLiteral("TxtImageWidth"), suggested.width(), this)),
      height_(sideBox(QStringLiteral("TxtImageHeight"), suggested.height(), this)) {
    setWidgetName(this, QStringLiteral("ImageSize"));
    setWindowTitle(title);
    auto* buttons =
        named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this),
              QStringLiteral("CmdImageSize"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Width:"), width_);
    form->addRow(QStringLiteral("Height:"), height_);
    form->addRow(buttons);
}

QSize ImageSizeDialog::chosenSize() const {
    return {width_->value(), height_->value()};
}

}  // namespace ui
