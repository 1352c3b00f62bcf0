// Natively there is no object model to play.
#include "host/object_model.h"

namespace Zr::Host {

std::unique_ptr<ObjectModelPlay> PlayObjectModel() { return nullptr; }

}  // namespace Zr::Host
