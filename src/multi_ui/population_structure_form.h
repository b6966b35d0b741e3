#pragma once
// The population structure of a run: every population's abundance at one
// time step, 0 for the initial abundances.

#include "multi_ui/multi_result_producer.h"
#include "unstructured_ui/index_result_form.h"

namespace multi {

class TPopulationStructureForm : public unstructured_ui::TIndexResultForm {
    Q_OBJECT
public:
    explicit TPopulationStructureForm(QWidget* parent = nullptr, TResultProducer& producer = MultiResultProducer());
};

}  // namespace multi
