#include "api/engine_items.h"

#include "base/log.h"

namespace tk {

CTkObjectItem* objectOrReport(int id) {
  CTkObjectItem* item = tkEngine().objects ? tkEngine().objects->find(id) : nullptr;
  if (!item) logErrorCode(kErrorArgument1, "Object ID %d does not exist. %s", id, idErrorText());
  return item;
}

CTkLightItem* lightOrReport(int id) {
  CTkLightItem* item = tkEngine().lights ? tkEngine().lights->find(id) : nullptr;
  if (!item) logErrorCode(kErrorArgument1, "Light ID %d does not exist. %s", id, idErrorText());
  return item;
}

}  // namespace tk
