#pragma once

#include "core/ports.h"

#include <QString>

// The words of the menu items that switch a sound on and off. An item offers
// the opposite of its switch's state; the sound items start with captions of
// their own and take these from their first toggle on.
QString startCaption(MenuItem item);
QString switchCaption(MenuItem item, bool on);
