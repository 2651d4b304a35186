#pragma once
// How many GDI and USER objects are alive, for leak checks under Wine, where GetGuiResources
// reads 0. Both tables hand freed slots out again, the last freed first, before they grow; so
// probes are made until the table grows at its end, one step a probe, many times in a row. From
// then on the highest probe's slot less the number of probes is the count of slots in use plus a
// constant. The GDI table is this process's own; the USER table is the whole Wine session's, so
// other processes move its count a little.

namespace vantry::test {

long GdiSlotsInUse();
long UserSlotsInUse();

}  // namespace vantry::test
