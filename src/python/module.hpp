// Module creation helpers: each addition appends its name to __all__ before
// setting the attribute, so __all__ lists the names in registration order.
#pragma once

#include "python/python.hpp"

namespace velm::python {

// Steals `object` (which may be nullptr after a failed creation). Returns
// false with an exception set.
bool add_to_module(PyObject* module, const char* name, PyObject* object);

}  // namespace velm::python
