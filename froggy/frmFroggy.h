// frmFroggy: the Froggy window (its game is not in yet).
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class Program;

class FrmFroggy final : public Form {
public:
    explicit FrmFroggy(Program& program);
    static const FormLayout layout;
};

}  // namespace arcadeon
