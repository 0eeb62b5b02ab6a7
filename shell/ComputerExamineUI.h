#pragma once
// A container that holds a second copy of the main skin's tree.
#include "platform/ui/ContainerUI.h"

class ComputerExamineUI : public DuiLib::CContainerUI {
public:
    ComputerExamineUI();
};
