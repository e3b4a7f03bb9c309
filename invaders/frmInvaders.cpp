#include "frmInvaders.h"

#include "shell/program.h"

namespace arcadeon {

const FormLayout FrmInvaders::layout{
    .name = "frmInvaders",
    .Caption = "Vavod Uvavovirovu Divadazo!",
    .BackColor = SystemColor(7),
    .ClientWidth = 11805,
    .ClientHeight = 7035,
};

FrmInvaders::FrmInvaders(Program& program) : Form(program.app, layout) {}

}  // namespace arcadeon
