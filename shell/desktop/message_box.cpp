// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/message_box.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace arcadeon::desktop {

namespace {

// Pixels the title bar takes beside its text: the frame's icon, its buttons and margins.
constexpr int kFrameAllowance = 130;

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The width at which the window manager shows the whole title, bold as title bars draw it.
int titleWidth(const QWidget& box) {
    QFont bold = box.font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kFrameAllowance;
}

}  // namespace

MessageBox::MessageBox(QWidget* parent, std::string_view title, std::string_view prompt)
    : QDialog(parent), prompt_(new QLabel(qtText(prompt), this)), ok_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(qtText(title));
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setAlignment(Qt::AlignCenter);
    prompt_->setTextInteractionFlags(Qt::NoTextInteraction);
    ok_->setDefault(true);  // Enter presses it; Space does as it holds the focus
    ok_->setAutoDefault(true);
    QObject::connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addLayout(buttons);
    layout->addSpacerItem(new QSpacerItem(titleWidth(*this), 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
    layout->setSizeConstraint(QLayout::SetFixedSize);  // as large as it needs, no larger, not resizable
    ok_->setFocus();
}

QString MessageBox::prompt() const { return prompt_->text(); }

void MessageBox::setClosable(bool closable) { ok_->setEnabled(closable); }

MessageBox* MessageBox::of(QWidget* widget) { return dynamic_cast<MessageBox*>(widget); }

// Escape and the frame's close button come here: they close the box as OK does.
void MessageBox::reject() {
    if (ok_->isEnabled()) QDialog::reject();
}

}  // namespace arcadeon::desktop
