// The program's resource set: menus, templates, strings, the picture, cursors, version.
#pragma once

// Hands every resource to the Resource Manager; called once at start-up.
void registerApplicationResources();
