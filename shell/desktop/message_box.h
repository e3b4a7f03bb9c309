// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The layer's message box on the desktop: a title, a prompt and one OK.
#pragma once

#include <QDialog>
#include <string_view>

class QLabel;
class QPushButton;
class QWidget;

namespace arcadeon::desktop {

// A dialog with the box's title as its window title, the prompt as plain
// text centred across it and one button, OK, that Enter, Space and Escape
// press; no icon. It is wide enough for the window manager to show its whole
// title beside the frame's icon and buttons.
class MessageBox final : public QDialog {
public:
    // Its object name, by which tests and tools find it among the windows.
    static constexpr const char* kObjectName = "arcadeonMessageBox";

    MessageBox(QWidget* parent, std::string_view title, std::string_view prompt);

    [[nodiscard]] QString prompt() const;
    [[nodiscard]] QPushButton& okButton() const { return *ok_; }
    // A box whose OK is disabled shows only: neither OK, Escape nor its
    // close button closes it (the box of a script being replayed).
    void setClosable(bool closable);

    // The message box `widget` is, if it is one.
    [[nodiscard]] static MessageBox* of(QWidget* widget);

    void reject() override;

private:
    QLabel* prompt_;
    QPushButton* ok_;
};

}  // namespace arcadeon::desktop
