// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as assistive technology sees them through Qt's accessibility:
// one interface per element the layer describes (shell/layer/accessible.h),
// its press delivered as a click through the recorder, and changes of
// names, checked states and the focus announced once each event is over.
#pragma once

namespace arcadeon::desktop {

class Desktop;
class FormWindow;

// Makes every FormWindow describe itself to Qt's accessibility; once per program.
void installAccessibility();
// Announces what changed in the window since it was last described; does
// nothing while no assistive technology listens.
void announceChanges(FormWindow& window, bool active);

}  // namespace arcadeon::desktop
