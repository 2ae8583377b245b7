// What the scenario driver can read of the program: console lines and window kinds.
#pragma once

void registerScriptSupport();
