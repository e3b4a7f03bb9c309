// frmPing: the Ping window (its game is not in yet).
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class Program;

class FrmPing final : public Form {
public:
    explicit FrmPing(Program& program);
    static const FormLayout layout;
};

}  // namespace arcadeon
