// The maps' parameter dialogs. The format-driven dialog they open is not built yet,
// so for now these leave the map as it is.
#include "Map.h"

void Map::setParameter() {}

void circle::setParameter() {}
