// Everything the front end uses of the dialog framework, in one include.
#pragma once

#include "DC.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "Font.h"
#include "FrameworkResource.h"
#include "Menu.h"
#include "Static.h"
#include "ToolTipCtrl.h"
#include "WinApp.h"
#include "Wnd.h"
