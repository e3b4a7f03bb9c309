#include "frmPing.h"

#include "shell/program.h"

namespace arcadeon {

const FormLayout FrmPing::layout{
    .name = "frmPing",
    .Caption = "Ping",
    .BackColor = SystemColor(7),
    .ClientWidth = 14640,
    .ClientHeight = 9555,
};

FrmPing::FrmPing(Program& program) : Form(program.app, layout) {}

}  // namespace arcadeon
