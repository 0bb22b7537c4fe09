// database/kin/kinship.h: the ancestors, descendants and spouses of individuals, within a number of
// generations: the marking walks and the collecting operations of the query filters.
#pragma once

#include "database/kin/detail/pointer_map.h"
#include "platform/base/types.h"

#include <atomic>
#include <cstddef>
#include <utility>
#include <vector>

class CFamRec;
class CIndRec;

/// Individuals, each with the word 0: a set, in the form of the query engine's result maps. Its
/// members are kept in the order they were added, beside a flat table that finds them: adding
/// one of a quarter of a million relatives allocates nothing of its own, and a lookup touches
/// one or two cache lines. It answers as the standard map it stands for does (emplace,
/// try_emplace, contains, size, clear, iteration over pairs).
class CMapPtrToWord {
public:
    using value_type = std::pair<CIndRec*, WORD>;
    using const_iterator = std::vector<value_type>::const_iterator;

    /// Adds individual unless it is there; whether it was added.
    bool try_emplace(CIndRec* individual, WORD word)
    {
        if (!m_places.TryEmplace(individual, m_entries.size()).second)
            return false;
        m_entries.emplace_back(individual, word);
        return true;
    }
    bool emplace(CIndRec* individual, WORD word) { return try_emplace(individual, word); }
    bool contains(const void* individual) const { return m_places.Contains(individual); }
    /// Asks for the memory a lookup of individual starts at, ahead of the lookup.
    void prefetch(const void* individual) const { m_places.Prefetch(individual); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    void clear()
    {
        m_entries.clear();
        m_places.Clear();
    }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    /// The same individuals with the same words, in whatever order they were added.
    friend bool operator==(const CMapPtrToWord& a, const CMapPtrToWord& b)
    {
        if (a.size() != b.size())
            return false;
        for (const value_type& entry : a.m_entries) {
            const std::size_t* place = b.m_places.Find(entry.first);
            if (!place || b.m_entries[*place].second != entry.second)
                return false;
        }
        return true;
    }

private:
    std::vector<value_type> m_entries;
    kinship_detail::CPointerMap<std::size_t> m_places;
};

/// The marks of one traversal: the individuals it has reached, each with its generation (the
/// number of parent or child steps from the individual its walk started at). A traversal owns
/// its marks and never writes to the records, so two traversals (the query worker's and one of
/// the window thread) may run at the same time over a data set that nobody edits.
class CKinshipMarks {
public:
    /// Forgets every mark; the cost is that of the marks held, not of the data set.
    void Clear() { m_generations.Clear(); }
    /// Marks the individual; false, and the first mark kept, when it already carries one.
    bool Mark(const CIndRec* individual, int generation)
    {
        return m_generations.TryEmplace(individual, generation).second;
    }
    bool IsMarked(const CIndRec* individual) const { return m_generations.Contains(individual); }
    /// Asks for the memory a mark or lookup of individual starts at, ahead of it.
    void Prefetch(const void* individual) const { m_generations.Prefetch(individual); }
    /// The generation the individual was marked at; -1 when it carries no mark.
    int GetGeneration(const CIndRec* individual) const
    {
        const int* generation = m_generations.Find(individual);
        return generation ? *generation : -1;
    }
    std::size_t GetCount() const { return m_generations.Size(); }

private:
    kinship_detail::CPointerMap<int> m_generations;
};

/// Adds to result the ancestors of individual through first parent families only (each
/// individual's first FAMC family; its husband is the father, its wife the mother), within
/// generations (1 the parents, 2 with the grandparents, ...; 0 all), and marks each. A marked
/// individual is neither added nor followed again, so a pedigree loop ends. The walk goes
/// generation by generation: an ancestor is reached by its shortest line, so every ancestor
/// within the limit is found however the lines cross.
void MarkAncestors(CIndRec* individual, CMapPtrToWord& result, int generations,
                   CKinshipMarks& marks);
/// The same downward: the children of every spouse family (FAMS), in order, and theirs.
void MarkDescendants(CIndRec* individual, CMapPtrToWord& result, int generations,
                     CKinshipMarks& marks);

/// The ancestors of the individuals of start within generations (0 all) into result; below 0
/// nothing. With a limit each starting individual counts its generations afresh; without one
/// a starting individual already reached as an ancestor of an earlier one is passed over, its
/// ancestors being in already. A starting individual enters result when it is an ancestor of
/// another (or, in a broken file, of itself), whatever the order of start. cancel (may be
/// null) is read before each starting individual: once set, the collection stops and what was
/// collected stays.
void CollectAncestors(const CMapPtrToWord& start, CMapPtrToWord& result,
                      const std::atomic<bool>* cancel, int generations);
/// The descendants of the individuals of start, as CollectAncestors.
void CollectDescendants(const CMapPtrToWord& start, CMapPtrToWord& result,
                        const std::atomic<bool>* cancel, int generations);
/// The partner in each spouse family of the individuals of start (GetKinshipPartner) into
/// result; cancel as CollectAncestors.
void CollectSpouses(const CMapPtrToWord& start, CMapPtrToWord& result,
                    const std::atomic<bool>* cancel);

/// An individual's partner in one of its spouse families: the husband for a woman, the wife
/// for a man or an individual of undetermined sex. When that would be the individual itself
/// (a partner link that contradicts the sex), the other partner; null when there is none.
CIndRec* GetKinshipPartner(const CIndRec* individual, const CFamRec* family);
