// database/kin/kinship_map.h: the connected groups of the data set (relationship pool numbers) and
// Ahnentafel numbers relative to a root individual.
#pragma once

#include <cstdint>

class CIndRec;

/// Makes the kinship map when no one holds it, else counts one more user; true. The map gives
/// every individual the number of its connected group: the individual records are taken in
/// record order, and each one no earlier group reached starts the next group (1, 2, ...), which
/// takes in everyone joined to it through family links (parents, partners, children, in either
/// direction). A query row on the worker thread may look groups up while a window holds the
/// map: every call here takes one lock.
bool AcquireKinshipMap();
/// One user fewer; the last frees the map.
void ReleaseKinshipMap();
/// The group number of the individual; 0 with notFound set when the map does not hold it. When
/// no one holds the map it is made for this call only.
int GetRelationPoolNumber(const CIndRec* individual, bool& notFound);

/// The Ahnentafel number of target among the ancestors of individual, searched through first
/// parent families only, father before mother, depth first: individual has `number`, its father
/// 2 x number, its mother 2 x number + 1. generations counts the generations searched
/// (individual's own included; below 1 nothing), cut so that no number passes 2^63 - 1. count
/// selects the occurrence: each meeting with target before the wanted one lowers it by one.
/// True with result set when found; false for a negative count or number below 1.
bool FindAhnentafelNumber(const CIndRec* individual, const CIndRec* target, std::int64_t& result,
                          int& count, std::int64_t number, int generations);
