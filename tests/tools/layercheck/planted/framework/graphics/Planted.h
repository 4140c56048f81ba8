#pragma once
// A file that breaks the layering on purpose: CTest runs the layering check on this folder and
// expects it to fail (LayerCheckPlanted).

#include "framework/app/VuroAppBase.h"
