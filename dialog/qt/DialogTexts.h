// A text of the dialog's text table as Qt shows it.
#pragma once

#include <QString>

#include "dialog/IB_OstrelConsts.h"
#include "dialog/qt/QtServices.h"

namespace ostrel::qt {

inline QString Text(TDialogText id) { return ToQString(DialogText(id)); }

}  // namespace ostrel::qt
