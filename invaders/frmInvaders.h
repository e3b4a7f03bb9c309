// frmInvaders: the Vavod Uvavovirovu Divadazo window (its game is not in yet).
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class Program;

class FrmInvaders final : public Form {
public:
    explicit FrmInvaders(Program& program);
    static const FormLayout layout;
};

}  // namespace arcadeon
