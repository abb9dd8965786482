// Everything of the PCB editor binding and the object model in one include: the PCB API table
// and forwarders, the layer vocabulary, the layer records, the mirrored objects and the board.
#pragma once

#include "RTL/enum_names.h"
#include "RTL/layer_records.h"
#include "RTL/layers.h"
#include "RTL/pcb_api.h"
#include "RTL/pcb_board.h"
#include "RTL/pcb_component.h"
#include "RTL/pcb_factory.h"
#include "RTL/pcb_group_objects.h"
#include "RTL/pcb_object.h"
#include "RTL/pcb_pad.h"
#include "RTL/pcb_primitives.h"
#include "RTL/pcb_records.h"
#include "RTL/pcb_text.h"
#include "platform/short_string.h"
