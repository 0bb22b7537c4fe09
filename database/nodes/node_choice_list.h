// database/nodes/node_choice_list.h: the list control a node fills with choices.
#pragma once

#include <string_view>

class CDataNode;

/// A choice list (a combo box in the window layer) whose items each carry a node.
class INodeChoiceList {
public:
    virtual ~INodeChoiceList() = default;
    virtual void AddChoice(std::string_view text, CDataNode* node) = 0;
};
