// The table that reaches every type record of the engine, so that none is dropped by the linker.
#pragma once

// Creates every type record once, in table order.
void ZpMarkupCreateAllTypes();
// Registers every type's properties once per process, before the first property store is made:
// a store's capacity is fixed then.
void ZpMarkupEnsureAllTypesRegistered();
