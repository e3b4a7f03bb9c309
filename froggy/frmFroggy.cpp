#include "frmFroggy.h"

#include "shell/program.h"

namespace arcadeon {

const FormLayout FrmFroggy::layout{
    .name = "frmFroggy",
    .Caption = "Roadleaper",
    .BackColor = SystemColor(9),
    .ClientWidth = 10140,
    .ClientHeight = 7215,
};

FrmFroggy::FrmFroggy(Program& program) : Form(program.app, layout) {}

}  // namespace arcadeon
