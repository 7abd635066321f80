// The "Application Error" box of an error that ends the start-up.
#pragma once

namespace ss {

// Shows the box for the exception in flight (call inside a catch block): no owner, stop icon,
// OK, task-modal, naming the error's class, module, code address and message.
void ShowStartupError();

}  // namespace ss
