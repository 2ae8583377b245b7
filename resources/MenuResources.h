// The menu bar and its seven menus.
#pragma once

void registerMenuResources();
