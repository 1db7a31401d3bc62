#pragma once

class QObject;

namespace vexa {

// Screen readers reach the program over the accessibility bus (AT-SPI, on Linux), where the
// toolkit's adaptor answers for every window and control. Qt 6.4's adaptor reads the arguments of
// a call without counting them: org.freedesktop.DBus.Properties.GetAll (one argument, read as
// two) or any method called without its arguments crashed the program, whatever object was asked.
// The guard stands in front of the adaptor once accessibility is switched on: a call whose
// arguments do not match what the object declares is refused with an error, GetAll is answered
// "not supported" (clients then ask for each property with Get), and everything else goes to the
// adaptor as before. Without Qt's D-Bus module (Windows) there is no such bus and nothing to do.
void guardAccessibilityBus(QObject* parent);

} // namespace vexa
