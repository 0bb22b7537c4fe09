// database/multimedia/file_links.h: the stored names of the files that multimedia objects link to.
#pragma once

#include <functional>
#include <string>

class CDataNode;

/// Hands every stored file name of the data set to sink with its field: the linked file and the
/// FILE lines of each multimedia record and the file of each multimedia object inside another
/// record, unless the object keeps its content in the file; every record type but the header,
/// in list order.
void CollectFileLinks(const std::function<void(CDataNode& field, const std::string& name)>& sink);
