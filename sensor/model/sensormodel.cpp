#include "sensor/model/sensormodel.h"

SensorModel &SensorModel::instance()
{
    static SensorModel model;
    return model;
}
