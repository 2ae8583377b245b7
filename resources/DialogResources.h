// The alerts and the parameter dialog's template.
#pragma once

void registerDialogResources();
