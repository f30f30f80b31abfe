"""Per-prefix data, mapping each prefix to a dict of locale:name.

Auto-generated file, do not edit by hand.
"""
from ..util import u

 '1208292':{'en': 'Coeur d\'Alene, ID'},
 '1269':{'en': 'Michigan'},
 '1269226':{'en': 'Kalamazoo Township, MI'},
 '1269244':{'en': 'Three Rivers, MI'},
 '1269273':{'en': 'Three Rivers, MI'},
 '1269278':{'en': 'Three Rivers, MI'},
 '1312':{'en': 'Chicago, IL'},
 '1312555':{'en': 'Chicago, IL', 'es': 'Chicago'},
 '1787':{'en': 'Puerto Rico'},
 '1787723':{'en': u'San Juan, PR'},
 '1269999':{'en': 'Ca\u00f1on, MI'},
}
