#pragma once
// Everything of the UI layer in one include.
#include "platform/ButtonUI.h"
#include "platform/ContainerUI.h"
#include "platform/ControlUI.h"
#include "platform/DialogBuilder.h"
#include "platform/HorizontalLayoutUI.h"
#include "platform/LabelUI.h"
#include "platform/Markup.h"
#include "platform/PaintManagerUI.h"
#include "platform/UIAttributes.h"
#include "platform/UIDefs.h"
#include "platform/VerticalLayoutUI.h"
#include "platform/WindowWnd.h"
